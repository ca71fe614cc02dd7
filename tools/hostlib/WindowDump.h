// What a player or the toolkit can observe of the module's windows: their
// text lines with link values, the task panel, the task buttons and what
// they draw, the story and the note. Nothing here reaches into the module.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/hostlib/Transcript.h"
#include "tools/hostlib/TranscriptText.h"

class XWindow;
class XTalk;
struct XTalkLine;

namespace orvane::hostprog {

// The window's rich-text control (its child 0), or null.
XTalk* TextControl(XWindow* wnd);
// The number a line's first link carries, read the way the talk window reads
// it; 0 for a plain line.
int64_t LinkValue(const XTalkLine& line);
// Where a click lands on a line's first link: the centre of its first piece.
// False when the link has no text, and so no piece: x, y are then its spot.
bool LinkPoint(const XTalkLine& line, int32_t& x, int32_t& y);
// The task log's link buttons: its children after the ones built from its
// description (which has descChildren children; child 1 is only a template).
std::vector<XWindow*> TaskButtons(XWindow* logDlg, int32_t descChildren);
// The text a button draws, captured from its OnDraw.
std::string DrawnCaption(XWindow* button);

// The `window` event of a dump. panel: the talk window's task panel (163);
// buttons: the task log's link buttons (172).
Event DescribeWindow(XWindow* wnd, XWindow* panel, const std::vector<XWindow*>& buttons,
                     const TranscriptText& text);

}  // namespace orvane::hostprog
