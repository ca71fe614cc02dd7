// Questions about a window's place in its tree. Internal to the toolkit.
#pragma once

#include "ui/Panelkit.h"

namespace panelkit {

// Parent chains longer than this are taken to be loops (SetParent records
// whatever it is given).
constexpr int kMaxTreeDepth = 1024;

// The window and every window above it are visible and enabled.
bool AcceptsInput(XWindow* wnd);

// ancestor lies above wnd in its parent chain (not wnd itself).
bool IsDescendant(XWindow* wnd, XWindow* ancestor);

}  // namespace panelkit
