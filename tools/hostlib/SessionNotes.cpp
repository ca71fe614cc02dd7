// The wheel, scrolling to a link before it is clicked, and the warnings of
// what the player will miss.
#include <algorithm>

#include "panelkit/Views.h"
#include "tools/hostlib/PlayerNotes.h"
#include "tools/hostlib/Session.h"
#include "tools/hostlib/WindowDump.h"
#include "ui/Panelkit.h"

namespace orvane::hostprog {

namespace {

constexpr int32_t kTalkWnd = 163;
constexpr int32_t kLogWnd = 172;
// The most notches a scroll to a link turns: far more than any text needs.
constexpr int32_t kMaxNotches = 1000;

}  // namespace

void Session::Wheel(XWindow* wnd, const Op& op)
{
    XTalk* talk = TextControl(wnd);
    XItemContainer* items = talk != nullptr ? talk->GetItemContainer() : nullptr;
    if (items == nullptr)
        throw LineFault{"window " + std::to_string(op.window) + " has no text control"};
    RECT rc{};
    items->GetWindowRect(rc);
    const POINT pt{rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2};
    XDesktop* desktop = XDesktop::GetInstance();
    desktop->MouseMove(pt, 0);
    desktop->MouseWheel(pt, op.number);
}

void Session::ScrollToLink(XItemContainer* items, int32_t line)
{
    XTalk* talk = dynamic_cast<XTalk*>(items->GetParent());
    XScrollBar* bar = talk != nullptr ? talk->GetScrollBar() : nullptr;
    if (bar == nullptr || !bar->CanScroll())
        return;
    RECT view{};
    items->GetWindowRect(view);
    const POINT over{view.left + (view.right - view.left) / 2,
                     view.top + (view.bottom - view.top) / 2};
    XDesktop* desktop = XDesktop::GetInstance();
    for (int32_t turned = 0; turned < kMaxNotches; ++turned) {
        int32_t x = 0;
        int32_t y = 0;
        const std::optional<XTalkLine> found = panelkit::LineOf(items, line);
        if (!found || !LinkPoint(*found, x, y))
            return;
        const int32_t notches = y < view.top ? -1 : y >= view.bottom ? 1 : 0;
        if (notches == 0)
            return;
        const int32_t before = bar->GetPosition();
        desktop->MouseMove(over, 0);
        if (!desktop->MouseWheel(over, notches) || bar->GetPosition() == before)
            return;
    }
}

void Session::WarnOfMessage(const Op& op)
{
    ITaskClient* client = m_helper.GetITaskClient();
    if (client == nullptr)
        return;
    std::vector<std::string> notes;
    if (op.msg == 87) {
        notes = TalkMessageWarnings(op.bytes, client);
    } else if (op.msg == 91) {
        XWindow* log = m_windows.Resolve(kLogWnd);
        notes = TaskLogWarnings(
            op.bytes, log != nullptr ? std::optional<int32_t>(ShownStoryTask(log)) : std::nullopt);
    }
    for (const std::string& note : notes)
        m_out.Note(note);
}

void Session::WarnOfHiddenLines()
{
    std::vector<std::pair<XWindow*, std::string>> windows;
    for (const int32_t id : {kTalkWnd, 174, 175, kLogWnd}) {
        if (XWindow* wnd = m_windows.Resolve(id))
            windows.emplace_back(wnd,
                                 (id == kLogWnd    ? "the task log's story (window 172)"
                                  : id == kTalkWnd ? "the NPC talk window 163"
                                                   : "the selection menu " + std::to_string(id)));
    }
    for (const std::string& note : m_viewWatch.Check(windows))
        m_out.Note(note);
}

}  // namespace orvane::hostprog
