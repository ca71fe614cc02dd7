// The window toolkit (Panelkit) as the module and the host use it.
//
// Coordinates: every window rectangle is in desktop coordinates; a child's
// rectangle is not relative to its parent. Moving a window moves its
// children with it.
//
// Ownership: the desktop owns its top-level windows and every window owns
// its children. XWindow::Release ends a window: it leaves its parent (or the
// desktop) and deletes itself, children first.
//
// Keep inline code out of this header: the module derives from these
// classes, and everything it instantiates must come from the toolkit library.
//
// No standard-library type appears in a layout or a call here: the module
// and a game client built with another C++ library (Microsoft's) must agree
// on every class. The toolkit keeps its containers behind pointers to its
// own structures (X...Data); panelkit/Views.h gives our own programs the
// same data as standard containers, built on their side.
//
// The declarations live in four headers, each including the ones it builds
// on, so the classes come in this order: fonts, images and canvases
// (PanelkitDrawing.h); signals and plain windows (PanelkitWindow.h);
// compound controls (PanelkitControls.h); the desktop and the window
// builder (PanelkitDesktop.h).
#pragma once

#include "ui/PanelkitControls.h"
#include "ui/PanelkitDesktop.h"
#include "ui/PanelkitDrawing.h"
#include "ui/PanelkitWindow.h"
