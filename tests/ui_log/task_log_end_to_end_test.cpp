// The task log from server message to packet and file, through the
// reference host and the sample game.
#include <algorithm>

#include "client/StateView.h"
#include "panelkit/Views.h"
#include "tests/ui_log/TaskLogTesting.h"

namespace orvane::test {
namespace {

using Lines = std::vector<std::string>;

class TaskLogEndToEndTest : public TaskLogFixture {
protected:
    // Message 91 naming tasks 101 to 107; 106's story has two lines.
    void DeliverSevenTasks()
    {
        std::vector<TaskText> tasks;
        std::vector<int32_t> ids;
        for (int32_t id = 101; id <= 107; ++id) {
            ids.push_back(id);
            tasks.push_back({id, "N" + std::to_string(id), id == 106 ? "mist#bell" : "s"});
        }
        Deliver(91, TaskLogMessage(ids, tasks));
    }
    std::string NoteText(CTaskLogDlg* dlg) { return StateView::NoteWnd(*dlg)->GetWindowTextA(); }
};

TEST_F(TaskLogEndToEndTest, MessageFillsTwoPagesAndDeleteSendsThePacket)
{
    CTaskLogDlg* dlg = OpenLog();
    DeliverSevenTasks();
    EXPECT_EQ(Shown(dlg), (Lines{"N101", "N102", "N103", "N104", "N105"}));
    ClickCentre(StateView::Page2Btn(*dlg));
    EXPECT_EQ(Shown(dlg), (Lines{"N106", "N107"}));

    ClickCentre(Buttons(dlg)[5]);
    EXPECT_EQ(Story(dlg), (Lines{Link(106, "mist"), Link(106, "bell")}));

    ClickCentre(StateView::DeleteBtn(*dlg));
    ASSERT_TRUE(host.ui.Answer(0));
    EXPECT_TRUE(host.sender.packets.empty());
    ClickCentre(StateView::DeleteBtn(*dlg));
    ASSERT_TRUE(host.ui.Answer(1));
    const std::vector<uint8_t> packet{0x10, 0x00, 0x05, 0x00, 0x5C, 0x00, 0x6A, 0x00, 0x00, 0x00};
    EXPECT_EQ(host.sender.packets, std::vector<std::vector<uint8_t>>{packet});
}

TEST_F(TaskLogEndToEndTest, NoteIsSavedWhenTheDialogIsDestroyedAndReadWhenRebuilt)
{
    const struct {
        std::string note;
        std::string file;
    } cases[] = {{"first\nsecond", "first\r\nsecond"}, {"", ""}};
    for (const auto& c : cases) {
        CTaskLogDlg* dlg = OpenLog();
        StateView::NoteWnd(*dlg)->SetWindowTextA(c.note.c_str());
        TakeDebugWrites();
        XDesktop::GetInstance()->DestroyWindow(dlg);

        const Lines writes = TakeDebugWrites();
        EXPECT_NE(std::find(writes.begin(), writes.end(), "CTaskLogDlg::~CTaskLogDlg()  ... OK"),
                  writes.end());
        ASSERT_TRUE(std::filesystem::exists(LogFile()));
        EXPECT_EQ(ReadBytes(LogFile()), c.file);
        EXPECT_EQ(StateView::LogDlg(*Client()), nullptr);  // the client forgot it

        ASSERT_TRUE(Client()->CreateClientLogWnd());
        CTaskLogDlg* rebuilt = StateView::LogDlg(*Client());
        ASSERT_NE(rebuilt, nullptr);
        EXPECT_EQ(NoteText(rebuilt), c.note);
        ResetModuleState();
    }
}

// Ended by a plain delete rather than Release: the note is still kept.
TEST_F(TaskLogEndToEndTest, NoteIsSavedWithoutRelease)
{
    CTaskLogDlg* dlg = OpenLog();
    StateView::NoteWnd(*dlg)->SetWindowTextA("kept");
    delete static_cast<XWindow*>(dlg);
    EXPECT_EQ(ReadBytes(LogFile()), "kept");
    EXPECT_EQ(StateView::LogDlg(*Client()), nullptr);
}

// After the client's Release the dialog stays on the desktop; it must not
// reach the freed client, its callback or its window script.
TEST_F(TaskLogEndToEndTest, DialogOutlivesTheClient)
{
    for (const bool updatedBefore : {true, false}) {
        SCOPED_TRACE(updatedBefore);
        ResetModuleState();
        CTaskLogDlg* dlg = OpenLog();
        if (updatedBefore)
            DeliverSevenTasks();
        helper.Close();
        ASSERT_TRUE(XDesktop::GetInstance()->HasWindow(dlg));

        if (updatedBefore) {
            ClickCentre(Buttons(dlg)[0]);  // no client: no story
            EXPECT_EQ(StateView::CurTaskID(*dlg), 101);
            EXPECT_TRUE(Story(dlg).empty());
        }
        TaskListRecord list{2, {101, 102}};
        dlg->UpdateTaskList(&list);  // no client: no names, no new buttons
        EXPECT_EQ(Buttons(dlg).size(), updatedBefore ? 10u : 0u);
        EXPECT_EQ(Shown(dlg), updatedBefore ? Lines{""} : Lines{});
        EXPECT_EQ(Story(dlg), Lines{kNoTaskStory});
        ClickCentre(StateView::Page2Btn(*dlg));
        ClickCentre(StateView::Page1Btn(*dlg));
        ClickCentre(StateView::DeleteBtn(*dlg));  // cut off from the host: no box
        EXPECT_FALSE(host.ui.HasOpenBox());
        EXPECT_TRUE(host.sender.packets.empty());

        // A new client builds a dialog of its own.
        CreateClient();
        ASSERT_TRUE(Client()->CreateClientLogWnd());
        EXPECT_NE(StateView::LogDlg(*Client()), dlg);
        EXPECT_EQ(panelkit::TopLevelWindows(172).size(), 2u);
        // The note was saved at Close; the dialog left behind writes no more.
        const std::string saved = ReadBytes(LogFile());
        StateView::NoteWnd(*dlg)->SetWindowTextA("old");
        XDesktop::GetInstance()->DestroyWindow(dlg);
        EXPECT_EQ(ReadBytes(LogFile()), saved);
        EXPECT_NE(StateView::LogDlg(*Client()), nullptr);  // the new one is still known
    }
}

}  // namespace
}  // namespace orvane::test
