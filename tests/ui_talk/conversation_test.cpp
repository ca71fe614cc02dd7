// A whole NPC conversation through the reference host and real toolkit
// events, and windows that outlive their task client.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/ModuleState.h"
#include "client/StateView.h"
#include "tests/ui_talk/TalkTestSupport.h"

namespace orvane::test {
namespace {

constexpr std::array<uint8_t, 8> kKey{0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8};
const std::string kTask = "\xC8\xCE\xCE\xF1"; /* 任务 */

// Two narration pages, then two choice pages that need the task menu.
std::vector<uint8_t> Conversation()
{
    return TalkMessage(kKey, {{1001, {{0, 5001}}},
                              {1002, {{0, 5004}}},
                              {1003, {{11, 5005}, {12, 5006}}},
                              {1004, {{13, 5008}, {14, 5003}}}});
}

class ConversationTest : public TalkFixture {
protected:
    void SetUp() override
    {
        TalkFixture::SetUp();
        CreateClient();
        Client()->InitTaskObserver();
    }
    std::string Talk(int32_t resID) { return Client()->GetTalkText(resID); }
    std::string Name(int32_t taskID) { return Client()->GetTaskName(taskID); }
    bool Shown(CTaskTalkDlg* dlg) { return dlg->IsVisible() != FALSE; }
};

TEST_F(ConversationTest, WholeConversationEndsInTheAnswerPacket)
{
    // 1. The message arrives: the window opens on the first narration page.
    Deliver(87, Conversation());
    CTaskTalkDlg* dlg = StateView::TalkDlg(*Client());
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(Shown(dlg));
    EXPECT_EQ(LinesOf(dlg), (std::vector<ShownLine>{{Talk(5001), 0}}));
    EXPECT_EQ(std::string(StateView::TaskPanelText(*dlg)->GetWindowTextA())
                  .rfind("\xC8\xCE\xCE\xF1\xA3\xBA" /* 任务： */ + Name(1001), 0),
              0u);
    EXPECT_TRUE(StateView::TaskPanel(*dlg)->IsVisible());

    // 2. Each narration page follows 500 ms after the previous one is closed.
    ClickWindow(StateView::CloseWnd(*dlg));
    EXPECT_FALSE(Shown(dlg));
    EXPECT_FALSE(StateView::TaskPanel(*dlg)->IsVisible());
    host.timers.Advance(499);
    EXPECT_FALSE(Shown(dlg));
    host.timers.Advance(1);
    EXPECT_TRUE(Shown(dlg));
    EXPECT_EQ(LinesOf(dlg), (std::vector<ShownLine>{{Talk(5004), 0}}));

    // 3. Closing the last narration brings the task menu; the player picks
    // the second task, which is settled here and shown 500 ms later.
    ClickWindow(StateView::CloseWnd(*dlg));
    host.timers.Advance(500);
    ASSERT_TRUE(Shown(dlg));
    EXPECT_EQ(LinesOf(dlg),
              (std::vector<ShownLine>{{kTask + " \xD2\xBB: " /* 一 */ + Name(1003), 102},
                                      {kTask + " \xB6\xFE: " /* 二 */ + Name(1004), 103}}));
    ASSERT_TRUE(ClickLink(dlg, 103));
    EXPECT_FALSE(Shown(dlg));
    host.timers.Advance(500);
    ASSERT_TRUE(Shown(dlg));
    EXPECT_EQ(LinesOf(dlg), (std::vector<ShownLine>{{Talk(5008), 13}, {Talk(5003), 14}}));
    EXPECT_TRUE(host.sender.packets.empty());

    // 4. and 5. An answer link closes the window and answers the server.
    ASSERT_TRUE(ClickLink(dlg, 14));
    EXPECT_FALSE(Shown(dlg));
    EXPECT_EQ(host.sender.packets, (std::vector<std::vector<uint8_t>>{
                                       {0x10, 0x00, 0x05, 0x00, 0x57, 0x00, 0xA1, 0xA2, 0xA3, 0xA4,
                                        0xA5, 0xA6, 0xA7, 0xA8, 0x0E, 0x00, 0x00, 0x00}}));
    host.timers.Advance(3000);  // nothing follows the answer
    EXPECT_FALSE(Shown(dlg));
    EXPECT_EQ(host.sender.packets.size(), 1u);
}

// After Release the windows stay on the desktop; nothing they do may reach
// the freed client, its callback or its sequencer. A host callback stays.
TEST_F(ConversationTest, WindowsOutliveTheClientSafely)
{
    RecordingCallback hostCallback;
    Client()->CreateClientTalkWnd(174, &hostCallback);
    CTaskTalkDlg* menu = StateView::MenuDlg(*Client());
    menu->AppendLine("Pick", 9);
    menu->SetVisible(FALSE);
    Deliver(87, Conversation());
    CTaskTalkDlg* dlg = StateView::TalkDlg(*Client());
    ClickWindow(StateView::CloseWnd(*dlg));  // arms the sequencer's step timer
    dlg->SetVisible(TRUE);                   // and the window's guard timer
    ASSERT_TRUE(host.timers.IsArmed(0, dlg));

    // Close kills both timers and cuts every window off from the host: its
    // callback too.
    helper.Close();
    ASSERT_EQ(g_pTaskClient, nullptr);
    EXPECT_EQ(host.timers.ArmedCount(), 0u);
    EXPECT_EQ(StateView::Sequencer(*dlg), nullptr);
    EXPECT_EQ(StateView::Callback(*dlg), nullptr);
    EXPECT_EQ(StateView::Callback(*menu), nullptr);
    TakeDebugWrites();
    const size_t eventsAtClose = hostEvents.size();

    ITaskWnd* wnd = dlg;
    EXPECT_TRUE(wnd->OnCommand(kCmdAddLine, "Late", 21));
    EXPECT_FALSE(wnd->OnCommand(kCmdPanelText, "Task: after release", 0));
    XDesktop::GetInstance()->AccelKey(dlg);  // no guard any more: hides
    EXPECT_FALSE(Shown(dlg));
    XDesktop::GetInstance()->AccelKey(dlg);  // shows again, arming nothing
    ClickWindow(StateView::PanelBtn1(*dlg));
    ASSERT_TRUE(ClickLink(dlg, 21));
    EXPECT_FALSE(Shown(dlg));
    EXPECT_EQ(TakeDebugWrites(),
              std::vector<std::string>{"m_pTaskTalkDlg->m_pWndCallback == NULL"});
    XDesktop::GetInstance()->AccelKey(dlg);
    ClickWindow(StateView::CloseWnd(*dlg));

    menu->SetVisible(TRUE);
    ASSERT_TRUE(ClickLink(menu, 9));
    EXPECT_TRUE(hostCallback.events.empty());

    host.timers.Advance(10000);
    EXPECT_EQ(hostEvents.size(), eventsAtClose);
}

}  // namespace
}  // namespace orvane::test
