#include "tools/hostlib/WindowDump.h"

#include <algorithm>
#include <climits>

#include "panelkit/Views.h"
#include "ui/Panelkit.h"

namespace orvane::hostprog {

namespace {

constexpr int32_t kTalkWnd = 163;
constexpr int32_t kLogWnd = 172;
constexpr int32_t kPanelText = 8;
constexpr int32_t kNoteWnd = 4;

Event RectOf(XWindow* wnd)
{
    RECT rc{};
    wnd->GetWindowRect(rc);
    return Event::array({rc.left, rc.top, rc.right, rc.bottom});
}

Event LinesOf(XTalk* talk, const TranscriptText& text)
{
    Event lines = Event::array();
    if (talk == nullptr)
        return lines;
    XItemContainer* items = talk->GetItemContainer();
    if (items == nullptr)
        return lines;
    for (int32_t i = 0; i < items->GetLineCount(); ++i) {
        const std::optional<XTalkLine> line = panelkit::LineOf(items, i);
        if (!line)
            continue;
        std::string visible;
        for (const XTalkFragment& f : line->fragments)
            visible += f.text;
        Event entry;
        entry["text"] = text.Text(visible);
        entry["link"] = LinkValue(*line);
        lines.push_back(entry);
    }
    return lines;
}

const XTalkFragment* FirstLink(const XTalkLine& line, int32_t& index)
{
    for (size_t i = 0; i < line.fragments.size(); ++i) {
        if (line.fragments[i].isLink) {
            index = static_cast<int32_t>(i);
            return &line.fragments[i];
        }
    }
    return nullptr;
}

}  // namespace

XTalk* TextControl(XWindow* wnd)
{
    return wnd != nullptr ? dynamic_cast<XTalk*>(wnd->FindWindowByID(0)) : nullptr;
}

int64_t LinkValue(const XTalkLine& line)
{
    int32_t index = 0;
    const XTalkFragment* link = FirstLink(line, index);
    if (link == nullptr)
        return 0;
    // As the module reads it: ten characters, one more after a sign; blanks
    // and a sign first, up to the first character that is not a digit; the
    // result kept within 32 bits.
    const std::string& url = link->url;
    size_t limit = 10;
    size_t i = 0;
    while (i < limit && i < url.size() && (url[i] == ' ' || (url[i] >= '\t' && url[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < limit && i < url.size() && (url[i] == '+' || url[i] == '-')) {
        negative = url[i++] == '-';
        ++limit;
    }
    int64_t value = 0;
    while (i < limit && i < url.size() && url[i] >= '0' && url[i] <= '9')
        value = value * 10 + (url[i++] - '0');
    value = negative ? -value : value;
    return std::clamp<int64_t>(value, INT32_MIN, INT32_MAX);
}

bool LinkPoint(const XTalkLine& line, int32_t& x, int32_t& y)
{
    int32_t index = 0;
    const XTalkFragment* link = FirstLink(line, index);
    if (link == nullptr)
        return false;
    RECT rc = link->rect;
    bool laidOut = false;
    // A wrapped link spans rows; the middle of its bounds may be on none of them.
    for (const XTalkPiece& piece : line.pieces) {
        if (piece.fragment == index) {
            rc = piece.rect;
            laidOut = true;
            break;
        }
    }
    x = rc.left + (rc.right - rc.left) / 2;
    y = rc.top + (rc.bottom - rc.top) / 2;
    return laidOut;
}

std::vector<XWindow*> TaskButtons(XWindow* logDlg, int32_t descChildren)
{
    std::vector<XWindow*> buttons;
    if (logDlg == nullptr)
        return buttons;
    // Child 0 (the story) and children 2 and up are built from the
    // description; the buttons are added after them.
    const int32_t built = 1 + (descChildren > 2 ? descChildren - 2 : 0);
    for (int32_t i = built; i < logDlg->GetChildCount() && buttons.size() < 10; ++i)
        buttons.push_back(logDlg->GetChild(i));
    return buttons;
}

std::string DrawnCaption(XWindow* button)
{
    XRecordingCanvas canvas;
    RECT rc{};
    button->GetWindowRect(rc);
    button->OnDraw(&canvas, rc);
    std::string caption;
    for (const panelkit::DrawnItem& item : panelkit::DrawnItems(canvas)) {
        if (item.isText)
            caption += item.text;
    }
    return caption;
}

Event DescribeWindow(XWindow* wnd, XWindow* panel, const std::vector<XWindow*>& buttons,
                     const TranscriptText& text)
{
    Event ev;
    ev["ev"] = "window";
    ev["id"] = wnd->GetID();
    ev["visible"] = wnd->IsVisible() != FALSE;
    ev["rect"] = RectOf(wnd);
    if (wnd->GetID() != kLogWnd) {
        ev["lines"] = LinesOf(TextControl(wnd), text);
        if (wnd->GetID() == kTalkWnd) {
            if (panel == nullptr) {
                ev["panel"] = nullptr;
            } else {
                XWindow* box = panel->FindWindowByID(kPanelText);
                Event p;
                p["visible"] = panel->IsVisible() != FALSE;
                p["text"] = box != nullptr ? text.Text(box->GetWindowTextA()) : Event(nullptr);
                p["rect"] = RectOf(panel);
                ev["panel"] = p;
            }
        }
        return ev;
    }
    Event list = Event::array();
    for (XWindow* b : buttons) {
        Event entry;
        entry["caption"] = text.Text(DrawnCaption(b));
        entry["visible"] = b->IsVisible() != FALSE;
        entry["rect"] = RectOf(b);
        list.push_back(entry);
    }
    ev["buttons"] = list;
    ev["story"] = LinesOf(TextControl(wnd), text);
    XWindow* note = wnd->FindWindowByID(kNoteWnd);
    ev["note"] = note != nullptr ? text.Text(note->GetWindowTextA()) : Event(nullptr);
    return ev;
}

}  // namespace orvane::hostprog
