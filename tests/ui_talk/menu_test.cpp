// The selection menus 174 and 175: built from description 230 without the
// talk window's panel, guard or sequencer, and their callbacks as the task
// client's requests give them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/StateView.h"
#include "panelkit/Views.h"
#include "tests/ui_talk/TalkTestSupport.h"

namespace orvane::test {
namespace {

class MenuTest : public TalkFixture {
protected:
    CTaskTalkDlg* Menu(int32_t id)
    {
        return id == 174 ? StateView::MenuDlg(*Client()) : StateView::MenuDlg2(*Client());
    }
};

// Each step is one request (id, callback) and the menu's callback after it.
TEST_F(MenuTest, RequestsGiveTheCallbacks)
{
    RecordingCallback first;
    RecordingCallback second;
    const struct {
        int32_t id;
        IWndCallback* request;
        bool created;
        IWndCallback* after;
    } steps[] = {
        {174, nullptr, true, nullptr},  {174, &first, false, &first}, {174, nullptr, false, &first},
        {174, &second, false, &second}, {175, &first, true, &first},  {175, &second, false, &first},
        {175, nullptr, false, &first},
    };
    CreateClient();
    for (const auto& s : steps) {
        SCOPED_TRACE(s.id);
        XWindow* returned = Client()->CreateClientTalkWnd(s.id, s.request);
        CTaskTalkDlg* menu = Menu(s.id);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(returned, s.created ? static_cast<XWindow*>(menu) : nullptr);
        EXPECT_EQ(StateView::Callback(*menu), s.after);
        if (!s.created) {
            EXPECT_TRUE(menu->IsVisible());
        }
    }
}

TEST_F(MenuTest, MenusHaveNoTalkWindowParts)
{
    CreateClient();
    for (int32_t id : {174, 175}) {
        SCOPED_TRACE(id);
        Client()->CreateClientTalkWnd(id, nullptr);
        CTaskTalkDlg* menu = Menu(id);
        EXPECT_EQ(menu->GetID(), id);
        EXPECT_EQ(StateView::WndID(*menu), id);
        EXPECT_EQ(StateView::TaskPanel(*menu), nullptr);
        EXPECT_EQ(StateView::TaskPanelText(*menu), nullptr);
        EXPECT_EQ(StateView::PanelBtn1(*menu), nullptr);
        EXPECT_EQ(StateView::PanelBtn2(*menu), nullptr);
        EXPECT_EQ(StateView::Sequencer(*menu), nullptr);
        EXPECT_EQ(menu->FindWindowByID(0), StateView::Talk(*menu));
        EXPECT_EQ(StateView::CloseWnd(*menu), menu->FindWindowByID(1));
        EXPECT_NE(StateView::ImgTop(*menu), nullptr);

        const size_t before = hostEvents.size();
        menu->SetVisible(TRUE);
        EXPECT_EQ(StateView::HideGuard(*menu), 0);
        menu->SetVisible(FALSE);  // at once: no guard
        EXPECT_FALSE(menu->IsVisible());
        EXPECT_EQ(hostEvents.size(), before);  // no timer of any kind

        ITaskWnd* wnd = menu;
        EXPECT_FALSE(wnd->OnCommand(kCmdPanelText, "Task: eleven", 0));
        EXPECT_TRUE(wnd->OnCommand(kCmdShow, nullptr, 0));
        EXPECT_FALSE(wnd->OnCommand(kCmdPin, "Task: eleven", 0));
        EXPECT_EQ(StateView::Pinned(*menu), 1);
        menu->SetVisible(FALSE);
        EXPECT_TRUE(menu->IsVisible());
        EXPECT_FALSE(wnd->OnCommand(kCmdPin, nullptr, 0));
        menu->SetVisible(FALSE);
        EXPECT_FALSE(menu->IsVisible());
    }
    EXPECT_EQ(panelkit::TopLevelWindows(215).size(), 0u);
}

// A choice in either menu reaches its callback with the talk window's code.
TEST_F(MenuTest, LinkClickReachesTheCallbackWithCode163)
{
    RecordingCallback callback;
    CreateClient();
    for (int32_t id : {174, 175}) {
        SCOPED_TRACE(id);
        callback.events.clear();
        Client()->CreateClientTalkWnd(id, &callback);
        CTaskTalkDlg* menu = Menu(id);
        EXPECT_TRUE(static_cast<ITaskWnd*>(menu)->OnCommand(kCmdAddLine, "Pick me", 7));
        menu->AppendLine("Or me", 8);
        menu->SetVisible(TRUE);
        ASSERT_TRUE(ClickLink(menu, 7));
        EXPECT_FALSE(menu->IsVisible());
        EXPECT_EQ(callback.events, (std::vector<Event>{{163, 1, 7, 0}}));
    }
}

TEST_F(MenuTest, ClickWithoutCallbackOnlyCloses)
{
    CreateClient();
    Client()->CreateClientTalkWnd(175, nullptr);
    CTaskTalkDlg* menu = Menu(175);
    menu->AppendLine("Pick me", 7);
    menu->SetVisible(TRUE);
    TakeDebugWrites();
    ASSERT_TRUE(ClickLink(menu, 7));
    EXPECT_FALSE(menu->IsVisible());
    EXPECT_EQ(TakeDebugWrites(),
              std::vector<std::string>{"m_pTaskTalkDlg->m_pWndCallback == NULL"});
    EXPECT_TRUE(host.sender.packets.empty());
}

}  // namespace
}  // namespace orvane::test
