// The NPC talk window built from the sample game's description 163: its
// children and task panel, commands, the one-second hide guard, the panel
// rules and centring, driven through the desktop like a player.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/StateView.h"
#include "tests/ui_talk/TalkTestSupport.h"

namespace orvane::test {
namespace {

using Rect = std::array<int32_t, 4>;

class TalkWindowTest : public TalkFixture {};

TEST_F(TalkWindowTest, CreateBuildsChildrenAndHiddenTaskPanel)
{
    CTaskTalkDlg* dlg = TalkWnd();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(XDesktop::GetInstance()->HasWindow(dlg));
    EXPECT_EQ(dlg->GetID(), 163);
    EXPECT_EQ(StateView::WndID(*dlg), 163);
    EXPECT_EQ(StateView::Callback(*dlg), Client()->WindowCallback());
    EXPECT_EQ(StateView::Sequencer(*dlg), StateView::Sequencer(*Client()));
    EXPECT_EQ(dlg->FindWindowByID(0), StateView::Talk(*dlg));
    EXPECT_EQ(StateView::Owner(*StateView::Talk(*dlg)), dlg);
    EXPECT_EQ(StateView::Talk(*dlg)->IsMovable(), 0);
    EXPECT_EQ(StateView::Talk(*dlg)->GetItemContainer()->GetAutoWrap(), 1);
    EXPECT_EQ(StateView::CloseWnd(*dlg), dlg->FindWindowByID(1));
    EXPECT_EQ(StateView::PanelBtn1(*dlg), dlg->FindWindowByID(2));
    EXPECT_EQ(StateView::PanelBtn2(*dlg), dlg->FindWindowByID(3));
    for (XWindow* button :
         {StateView::CloseWnd(*dlg), StateView::PanelBtn1(*dlg), StateView::PanelBtn2(*dlg)})
        EXPECT_EQ(button->m_ClickSignal.GetConnectionCount(), 1);
    // The panel descriptions are templates: not built as children of child 3.
    EXPECT_EQ(StateView::PanelBtn2(*dlg)->GetChildCount(), 0);

    ASSERT_NE(StateView::TaskPanel(*dlg), nullptr);
    EXPECT_TRUE(XDesktop::GetInstance()->HasWindow(StateView::TaskPanel(*dlg)));
    EXPECT_EQ(StateView::TaskPanel(*dlg)->GetID(), 215);
    ASSERT_NE(StateView::TaskPanelText(*dlg), nullptr);
    EXPECT_EQ(StateView::TaskPanel(*dlg)->FindWindowByID(8), StateView::TaskPanelText(*dlg));
    EXPECT_EQ(StateView::TaskPanelText(*dlg)->GetMaxLen(), 1024);
    EXPECT_STREQ(StateView::TaskPanelText(*dlg)->GetWindowTextA(), "\xCF\xD0\xC1\xC4" /* 闲聊 */);
    EXPECT_FALSE(StateView::TaskPanel(*dlg)->IsVisible());
    EXPECT_FALSE(StateView::TaskPanelText(*dlg)->IsVisible());
    EXPECT_NE(StateView::ImgTop(*dlg), nullptr);
    EXPECT_NE(StateView::ImgMid(*dlg), nullptr);
    EXPECT_NE(StateView::ImgBottom(*dlg), nullptr);
}

// A description missing from the script still gives a usable window.
TEST_F(TalkWindowTest, CreateWithoutDescription)
{
    RecordingCallback callback;
    CreateClient();
    auto* dlg = new CTaskTalkDlg();
    EXPECT_EQ(dlg->Create(nullptr, 163, &callback), dlg);
    EXPECT_EQ(dlg->FindWindowByID(0), StateView::Talk(*dlg));
    EXPECT_EQ(StateView::CloseWnd(*dlg), nullptr);
    EXPECT_EQ(StateView::TaskPanelText(*dlg), nullptr);
    EXPECT_FALSE(static_cast<ITaskWnd*>(dlg)->OnCommand(kCmdPin, "Task: eleven", 0));
    EXPECT_EQ(StateView::Pinned(*dlg), 1);
    dlg->SetPinned(0);
    dlg->AppendLine("Go", 4);
    StateView::Talk(*dlg)->OnTaskTextClick("4");
    EXPECT_FALSE(dlg->IsVisible());
    EXPECT_EQ(callback.events, (std::vector<Event>{{163, 1, 4, 0}}));
}

// The text control's bar sits at its left edge; the lines take the rest.
TEST_F(TalkWindowTest, TextControlKeepsItsScrollBarOnTheLeft)
{
    const struct {
        int32_t barWidth;
        Rect bar, items;
    } cases[] = {
        {16, {100, 50, 116, 170}, {116, 50, 360, 170}},
        {0, {100, 50, 100, 170}, {100, 50, 360, 170}},
        {400, {100, 50, 360, 170}, {360, 50, 360, 170}},  // wider than the control
    };
    CTaskTalkDlg* dlg = TalkWnd();
    XScrollBar* bar = StateView::Talk(*dlg)->GetScrollBar();
    XItemContainer* items = StateView::Talk(*dlg)->GetItemContainer();
    ASSERT_NE(bar, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.barWidth);
        bar->SetSize(SIZE{c.barWidth, 0});
        RECT rc{100, 50, 360, 170};
        StateView::Talk(*dlg)->SetWindowPos(rc);
        EXPECT_EQ(Corners(RectOf(StateView::Talk(*dlg))), (Rect{100, 50, 360, 170}));
        EXPECT_EQ(Corners(RectOf(bar)), c.bar);
        EXPECT_EQ(Corners(RectOf(items)), c.items);
        EXPECT_EQ(items->GetMaxWidth(), c.items[2] - c.items[0]);
        EXPECT_EQ(items->GetViewHeight(), 120);
        SIZE size{};
        bar->GetSize(size);
        EXPECT_EQ(size.cx, c.barWidth);  // the bar keeps its own size
    }
}

TEST_F(TalkWindowTest, CommandsAndTheirResults)
{
    CTaskTalkDlg* dlg = TalkWnd();
    ITaskWnd* wnd = dlg;
    EXPECT_TRUE(wnd->OnCommand(kCmdAddLine, "Hello", 0));
    EXPECT_TRUE(wnd->OnCommand(kCmdAddLine, "Yes", 105));
    EXPECT_EQ(LinesOf(dlg), (std::vector<ShownLine>{{"Hello", 0}, {"Yes", 105}}));
    EXPECT_TRUE(wnd->OnCommand(kCmdClear, nullptr, 0));
    EXPECT_TRUE(LinesOf(dlg).empty());

    const std::string task = "Task: twelve";
    EXPECT_FALSE(wnd->OnCommand(kCmdPanelText, task.c_str(), 0));
    EXPECT_EQ(StateView::TaskPanelText(*dlg)->GetWindowTextA(), task);
    EXPECT_TRUE(StateView::TaskPanelText(*dlg)->IsVisible());
    EXPECT_FALSE(wnd->OnCommand(kCmdPanelText, nullptr, 0));
    EXPECT_EQ(StateView::TaskPanelText(*dlg)->GetWindowTextA(), task);
    EXPECT_FALSE(wnd->OnCommand(99, "x", 1));

    EXPECT_TRUE(wnd->OnCommand(kCmdShow, nullptr, 0));
    EXPECT_TRUE(dlg->IsVisible());
    EXPECT_TRUE(StateView::TaskPanel(*dlg)->IsVisible());
}

TEST_F(TalkWindowTest, PinKeepsTheWindowShownButTheHideStepsRun)
{
    CTaskTalkDlg* dlg = TalkWnd();
    EXPECT_FALSE(static_cast<ITaskWnd*>(dlg)->OnCommand(kCmdPin, "Task: eleven", 0));
    EXPECT_EQ(StateView::Pinned(*dlg), 1);
    dlg->SetVisible(TRUE);
    EXPECT_TRUE(StateView::TaskPanel(*dlg)->IsVisible());
    dlg->Hide();
    EXPECT_TRUE(dlg->IsVisible());
    EXPECT_FALSE(StateView::TaskPanel(*dlg)->IsVisible());

    EXPECT_FALSE(static_cast<ITaskWnd*>(dlg)->OnCommand(kCmdPin, nullptr, 0));
    EXPECT_EQ(StateView::Pinned(*dlg), 0);
    dlg->Hide();
    EXPECT_FALSE(dlg->IsVisible());
}

// Showing arms a one-second guard: hide requests are ignored until it
// fires; the close control and a link close at once.
TEST_F(TalkWindowTest, HideGuardTiming)
{
    enum class Way { SetVisible, AccelKey, CloseControl, Link };
    struct Case {
        const char* name;
        Way way;
        int64_t after;
        bool visible;
    };
    const Case cases[] = {
        {"hide at 500 ms", Way::SetVisible, 500, true},
        {"hide at 999 ms", Way::SetVisible, 999, true},
        {"hide after the tick", Way::SetVisible, 1000, false},
        {"key at 500 ms", Way::AccelKey, 500, true},
        {"key after the tick", Way::AccelKey, 1000, false},
        {"close control at once", Way::CloseControl, 0, false},
        {"close control at 500 ms", Way::CloseControl, 500, false},
        {"link at 10 ms", Way::Link, 10, false},
    };
    RecordingCallback callback;
    CTaskTalkDlg* dlg = TalkWnd(&callback);
    dlg->AppendLine("Go", 7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dlg->SetVisible(TRUE);
        EXPECT_EQ(StateView::HideGuard(*dlg), 1);
        host.timers.Advance(c.after);
        switch (c.way) {
            case Way::SetVisible:
                dlg->SetVisible(FALSE);
                break;
            case Way::AccelKey:
                XDesktop::GetInstance()->AccelKey(dlg);
                break;
            case Way::CloseControl:
                ClickWindow(StateView::CloseWnd(*dlg));
                break;
            case Way::Link:
                ASSERT_TRUE(ClickLink(dlg, 7));
                break;
        }
        EXPECT_EQ(dlg->IsVisible() != FALSE, c.visible);
        host.timers.Advance(1000);  // the guard has run out in any case
        EXPECT_EQ(StateView::HideGuard(*dlg), 0);
        EXPECT_FALSE(host.timers.IsArmed(0, dlg));
        dlg->Hide();
    }
    EXPECT_EQ(callback.events, (std::vector<Event>{{163, 1, 7, 0}}));
}

TEST_F(TalkWindowTest, ShowingAgainWithinTheSecondRearmsTheGuard)
{
    CTaskTalkDlg* dlg = TalkWnd();
    dlg->SetVisible(TRUE);
    host.timers.Advance(600);
    dlg->SetVisible(TRUE);
    EXPECT_EQ(GuardTimerSets(dlg), 2);
    host.timers.Advance(600);  // 1200 ms after the first showing
    dlg->SetVisible(FALSE);
    EXPECT_TRUE(dlg->IsVisible());
    host.timers.Advance(400);
    dlg->SetVisible(FALSE);
    EXPECT_FALSE(dlg->IsVisible());
}

// The panel shows only for texts longer than 10 bytes and always sits 3
// pixels above the window, as wide as it, after the window was centred.
TEST_F(TalkWindowTest, PanelFollowsTheTenByteRule)
{
    const struct {
        std::string text;
        bool shown;
    } cases[] = {
        {"\xCF\xD0\xC1\xC4" /* 闲聊 */, false},
        {"0123456789", false},
        {"0123456789A", true},
        {"\xC8\xCE\xCE\xF1\xA3\xBA\xB3\xF5\xB5\xBD\xC7\xE0" /* 任务：初到青 */, true},
    };
    CTaskTalkDlg* dlg = TalkWnd();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        static_cast<ITaskWnd*>(dlg)->OnCommand(kCmdPanelText, c.text.c_str(), 0);
        dlg->SetVisible(TRUE);
        EXPECT_EQ(StateView::TaskPanel(*dlg)->IsVisible() != FALSE, c.shown);
        EXPECT_EQ(StateView::TaskPanelText(*dlg)->IsVisible() != FALSE, c.shown);
        const RECT rc = RectOf(dlg);
        EXPECT_EQ(Corners(RectOf(StateView::TaskPanel(*dlg))),
                  (Rect{rc.left, rc.top - 118, rc.right, rc.top - 3}));
        dlg->Hide();
        EXPECT_FALSE(StateView::TaskPanel(*dlg)->IsVisible());
    }
}

TEST_F(TalkWindowTest, PanelTogglesPlaceThePanelAboveTheWindow)
{
    const struct {
        Rect wnd, panel, text;
    } cases[] = {
        {{100, 400, 500, 620}, {100, 282, 500, 397}, {120, 297, 472, 387}},
        {{0, 118, 300, 308}, {0, 0, 300, 115}, {20, 15, 272, 105}},
    };
    CTaskTalkDlg* dlg = TalkWnd();
    dlg->SetVisible(TRUE);  // the description leaves it hidden
    for (const auto& c : cases) {
        RECT rc{c.wnd[0], c.wnd[1], c.wnd[2], c.wnd[3]};
        Client()->SetTalkWndPos(rc);
        ClickWindow(StateView::PanelBtn1(*dlg));
        EXPECT_TRUE(StateView::TaskPanel(*dlg)->IsVisible());
        EXPECT_TRUE(StateView::TaskPanelText(*dlg)->IsVisible());
        EXPECT_EQ(Corners(RectOf(StateView::TaskPanel(*dlg))), c.panel);
        EXPECT_EQ(Corners(RectOf(StateView::TaskPanelText(*dlg))), c.text);
        ClickWindow(StateView::PanelBtn2(*dlg));
        EXPECT_FALSE(StateView::TaskPanel(*dlg)->IsVisible());
        EXPECT_FALSE(StateView::TaskPanelText(*dlg)->IsVisible());
    }
}

// The host's position requests reach the real window and its children.
TEST_F(TalkWindowTest, ClientForwardsPositionRequests)
{
    CreateClient();
    RECT untouched{1, 2, 3, 4};
    Client()->GetTalkWndRect(untouched);  // no window yet
    EXPECT_EQ(Corners(untouched), (Rect{1, 2, 3, 4}));

    CTaskTalkDlg* dlg = TalkWnd();
    RECT rc{100, 400, 400, 590};
    Client()->SetTalkWndPos(rc);
    Client()->MoveTalkWnd(-30, 15);
    RECT got{};
    Client()->GetTalkWndRect(got);
    EXPECT_EQ(Corners(got), (Rect{70, 415, 370, 605}));
    // The text control keeps its place in the window: 16, 44 from the corner.
    EXPECT_EQ(RectOf(StateView::Talk(*dlg)).left, 86);
    EXPECT_EQ(RectOf(StateView::Talk(*dlg)).top, 459);
}

TEST_F(TalkWindowTest, PanelFollowsADrag)
{
    CTaskTalkDlg* dlg = TalkWnd();
    dlg->SetVisible(TRUE);
    RECT rc{100, 400, 500, 620};
    Client()->SetTalkWndPos(rc);
    XDesktop* desktop = XDesktop::GetInstance();
    const POINT from{rc.left + 5, rc.top + 35};  // on the window, off its children
    desktop->MouseDown(from, 1);
    desktop->MouseMove(POINT{from.x + 10, from.y - 20}, 1);
    desktop->MouseUp(POINT{from.x + 10, from.y - 20}, 1);
    EXPECT_EQ(Corners(RectOf(dlg)), (Rect{110, 380, 510, 600}));
    EXPECT_EQ(Corners(RectOf(StateView::TaskPanel(*dlg))), (Rect{110, 262, 510, 377}));
    EXPECT_EQ(Corners(RectOf(StateView::TaskPanelText(*dlg))), (Rect{130, 277, 482, 367}));
}

// Showing puts the left edge at 400 - w/2 and the top at 180 - c/2 (both
// halvings truncated), for the talk window and the menus alike. c is the
// height the lines take on screen: the sample's text control shows 7 rows
// (112 pixels) and scrolls the rest.
TEST_F(TalkWindowTest, ShowingCentresTheWindow)
{
    const struct {
        int32_t wndID;
        int32_t topWidth;
        int lines;  // 16 pixels each
        int32_t left, top;
    } cases[] = {
        {163, 300, 0, 250, 180}, {163, 300, 9, 250, 124}, {163, 301, 1, 250, 172},
        {163, 0, 3, 400, 156},   {174, 300, 9, 250, 124}, {175, 77, 2, 362, 164},
    };
    CreateClient();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wndID);
        Client()->CreateClientTalkWnd(c.wndID, nullptr);
        CTaskTalkDlg* dlg = c.wndID == 163   ? StateView::TalkDlg(*Client())
                            : c.wndID == 174 ? StateView::MenuDlg(*Client())
                                             : StateView::MenuDlg2(*Client());
        StateView::ReplaceImage(*dlg, StateView::Image::kTop,
                                c.topWidth > 0 ? new FakeBitmap(c.topWidth, 40) : nullptr);
        dlg->ClearText();
        for (int i = 0; i < c.lines; ++i)
            dlg->AppendLine("line", 0);
        RECT away{5, 7, 305, 197};
        dlg->SetWindowPos(away);
        dlg->SetVisible(TRUE);
        const RECT rc = RectOf(dlg);
        EXPECT_EQ(rc.left, c.left);
        EXPECT_EQ(rc.top, c.top);
        EXPECT_EQ(rc.right - rc.left, 300);
    }
}

// The toolkit may end either top-level window at any time; neither may
// reach the other afterwards, and a pending guard tick never arrives.
TEST_F(TalkWindowTest, DestroyedWindowsAreNotTouched)
{
    CTaskTalkDlg* dlg = TalkWnd();
    XWindow* panel = StateView::TaskPanel(*dlg);
    XDesktop::GetInstance()->DestroyWindow(panel);
    EXPECT_EQ(StateView::TaskPanel(*dlg), nullptr);
    EXPECT_EQ(StateView::TaskPanelText(*dlg), nullptr);
    static_cast<ITaskWnd*>(dlg)->OnCommand(kCmdPin, "Task: eleven", 0);
    dlg->SetVisible(TRUE);
    ClickWindow(StateView::PanelBtn1(*dlg));
    dlg->SetPinned(0);

    ASSERT_TRUE(host.timers.IsArmed(0, dlg));
    XDesktop::GetInstance()->DestroyWindow(dlg);
    EXPECT_EQ(host.timers.ArmedCount(), 0u);
    EXPECT_EQ(StateView::TalkDlg(*Client()), nullptr);
    host.timers.Advance(5000);

    // The next request builds a new window; ending it leaves its panel
    // hidden on the desktop, no longer tied to it.
    CTaskTalkDlg* second = TalkWnd();
    ASSERT_NE(second, nullptr);
    static_cast<ITaskWnd*>(second)->OnCommand(kCmdPanelText, "Task: eleven", 0);
    second->SetVisible(TRUE);
    XWindow* secondPanel = StateView::TaskPanel(*second);
    ASSERT_TRUE(secondPanel->IsVisible());
    XDesktop::GetInstance()->DestroyWindow(second);
    EXPECT_TRUE(XDesktop::GetInstance()->HasWindow(secondPanel));
    EXPECT_FALSE(secondPanel->IsVisible());
    XDesktop::GetInstance()->DestroyWindow(secondPanel);
    host.timers.Advance(5000);
}

}  // namespace
}  // namespace orvane::test
