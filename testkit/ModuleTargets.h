// Where a session's player clicks and types: the module's windows and
// their controls as they stand on the desktop.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/Panelkit.h"

class CTaskLogDlg;

namespace orvane::fuzz {

std::vector<XWindow*> TopLevelWindows();
POINT Centre(XWindow* wnd);
// The task log dialog on the desktop, or null.
CTaskLogDlg* LogDialog();
// The n-th link piece (wrapping around) of every visible talk window and
// menu, then their close and panel controls; none when there is nothing.
std::optional<POINT> LinkPoint(uint8_t n);
// The n-th control of the task log dialog: its task buttons, then the page,
// delete, close and note controls and the story.
XWindow* LogControl(CTaskLogDlg* dlg, uint8_t n);
// The dialog's note window, or null (also without a dialog).
XWindow* NoteWindow(CTaskLogDlg* dlg);

}  // namespace orvane::fuzz
