// The task log dialog on the sample game's description 172: filling and
// packing the link buttons, the two pages, the story and the delete request.
#include "client/StateView.h"
#include "tests/ui_log/TaskLogTesting.h"

namespace orvane::test {
namespace {

using Lines = std::vector<std::string>;

class TaskLogDlgTest : public TaskLogFixture {};

// Each case: an optional earlier list, then the list under test. The story
// follows the task that the list brought, else the last button whose task is
// still listed.
TEST_F(TaskLogDlgTest, FillsAndPacksTheButtons)
{
    const struct {
        const char* name;
        std::vector<int32_t> before;
        std::vector<int32_t> ids;
        int32_t count;
        std::vector<int32_t> packed;
        Lines shown;
        Lines story;
    } cases[] = {
        {"ten zero ids", {}, std::vector<int32_t>(10, 0), 10, {}, {kNoTaskCaption}, {kNoTaskStory}},
        {"sparse ids", {}, {11, 0, 12}, 3, {11, 12}, {"T11", "T12"}, {Link(12, "s12")}},
        {"ids past the count", {}, {11, 0, 0, 12}, 1, {11, 12}, {"T11", "T12"}, {Link(11, "s11")}},
        {"empty name", {}, {14, 12, 13}, 3, {14, 12, 13}, {"T12", "T13"}, {Link(13, "s13")}},
        {"unnamed id", {}, {12, 99, 13}, 3, {12, 99, 13}, {"T12", "T13"}, {Link(13, "s13")}},
        {"shown task unnamed", {}, {12, 14}, 2, {12, 14}, {"T12"}, {kNoTaskStory}},
        {"new task",
         {11, 12, 13},
         {12, 13, 15},
         3,
         {12, 13, 15},
         {"T12", "T13", "T15"},
         {Link(15, "s15")}},
        {"task dropped", {11, 12, 13}, {12, 13}, 2, {12, 13}, {"T12", "T13"}, {Link(13, "s13")}},
        {"reordered", {11, 12, 13}, {13, 11}, 2, {13, 11}, {"T13", "T11"}, {Link(13, "s13")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetModuleState();
        CTaskLogDlg* dlg = OpenLog();
        AddTasks({11, 12, 13, 15});
        StateView::TaskLog(*Client()).Add(14, "", "s14");
        if (!c.before.empty())
            Update(c.before);
        const TaskListRecord list = Update(c.ids, c.count);

        EXPECT_EQ(list.nCount, static_cast<int32_t>(c.packed.size()));
        for (size_t i = 0; i < 10; ++i)
            EXPECT_EQ(list.nTaskID[i], i < c.packed.size() ? c.packed[i] : 0);
        ASSERT_EQ(Buttons(dlg).size(), 10u);
        EXPECT_EQ(Shown(dlg), c.shown);
        EXPECT_EQ(Story(dlg), c.story);
        for (CTaskLinkButton* button : Buttons(dlg)) {
            if (!button->IsVisible()) {
                EXPECT_EQ(button->GetCaption(), "");
            }
        }
        EXPECT_EQ(StateView::CurTaskID(*dlg), 0);  // only a press changes it
    }
}

TEST_F(TaskLogDlgTest, SevenTasksMakeTwoPages)
{
    CTaskLogDlg* dlg = OpenLog();
    AddTasks({1, 2, 3, 4, 5, 6, 7});
    RECT frame;
    dlg->GetWindowRect(frame);
    const auto tops = [&] {
        std::vector<int32_t> out;
        for (CTaskLinkButton* button : Buttons(dlg)) {
            RECT rc;
            button->GetWindowRect(rc);
            if (button->IsVisible())
                out.push_back(rc.top - frame.top);
        }
        return out;
    };
    const Lines page1{"T1", "T2", "T3", "T4", "T5"};
    const Lines page2{"T6", "T7"};
    const std::vector<int32_t> page1Tops{71, 97, 123, 149, 175};
    const std::vector<int32_t> page2Tops{71, 97};

    Update({1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(StateView::Page(*dlg), 1);
    EXPECT_EQ(Shown(dlg), page1);
    EXPECT_EQ(tops(), page1Tops);

    const struct {
        XWindow* press;
        Lines shown;
        std::vector<int32_t> tops;
    } presses[] = {
        {StateView::Page2Btn(*dlg), page2, page2Tops},
        {StateView::Page2Btn(*dlg), page2, page2Tops},
        {StateView::Page1Btn(*dlg), page1, page1Tops},
        {StateView::Page1Btn(*dlg), page1, page1Tops},
        {StateView::Page2Btn(*dlg), page2, page2Tops},
    };
    for (const auto& p : presses) {
        ClickCentre(p.press);
        EXPECT_EQ(Shown(dlg), p.shown);
        EXPECT_EQ(tops(), p.tops);
    }

    // An update on page 2 stays there.
    AddTasks({8});
    Update({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(StateView::Page(*dlg), 2);
    EXPECT_EQ(Shown(dlg), (Lines{"T6", "T7", "T8"}));
    EXPECT_EQ(tops(), (std::vector<int32_t>{71, 97, 123}));
}

TEST_F(TaskLogDlgTest, StoryTextBreaksAtHashMarks)
{
    CTaskLogDlg* dlg = OpenLog();
    const struct {
        const char* text;
        int32_t task;
        Lines lines;
    } cases[] = {
        {"a#b#", 5, {Link(5, "a"), Link(5, "b"), Link(5, "")}},
        {"a#b#", 0, {"a", "b", ""}},
        {"plain", 7, {Link(7, "plain")}},
        {"#", 0, {"", ""}},
        {"", 0, {""}},
        {nullptr, 5, {}},
    };
    for (const auto& c : cases) {
        dlg->ClearStory();
        dlg->AddStoryText(c.text, c.task);
        EXPECT_EQ(Story(dlg), c.lines);
    }
}

TEST_F(TaskLogDlgTest, TaskButtonShowsItsStoryAsLinks)
{
    CTaskLogDlg* dlg = OpenLog();
    StateView::TaskLog(*Client()).Add(21, "T21", "one#two");
    AddTasks({22});
    Update({21, 22});
    ClickCentre(Buttons(dlg)[0]);
    EXPECT_EQ(StateView::CurTaskID(*dlg), 21);
    EXPECT_EQ(Story(dlg), (Lines{Link(21, "one"), Link(21, "two")}));
    Update({21, 22});  // an update keeps the pressed task
    EXPECT_EQ(StateView::CurTaskID(*dlg), 21);
}

TEST_F(TaskLogDlgTest, DeleteSendsThePressedTaskOnlyWhenConfirmed)
{
    const std::vector<uint8_t> head{0x10, 0x00, 0x05, 0x00, 0x5C, 0x00};
    const struct {
        int press;  // link button index, or -1 for none
        int32_t answer;
        int32_t state;
        std::vector<uint8_t> id;  // empty: nothing sent
    } cases[] = {
        {1, 1, CDeleteConfirm::kConfirmed, {0xEA, 0x03, 0x00, 0x00}},
        {1, 0, CDeleteConfirm::kDeclined, {}},
        {-1, 1, CDeleteConfirm::kConfirmed, {0x00, 0x00, 0x00, 0x00}},
        {0, 5, CDeleteConfirm::kPending, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press * 10 + c.answer);
        ResetModuleState();
        host.sender.packets.clear();
        CTaskLogDlg* dlg = OpenLog();
        AddTasks({1001, 1002});
        Update({1001, 1002});
        if (c.press >= 0)
            ClickCentre(Buttons(dlg)[static_cast<size_t>(c.press)]);
        ClickCentre(StateView::DeleteBtn(*dlg));
        ASSERT_TRUE(host.ui.HasOpenBox());
        EXPECT_EQ(host.ui.OpenBoxText(),
                  "\xC8\xB7\xC8\xCF\xC9\xBE\xB3\xFD\xC2\xF0?" /* 确认删除吗? */);
        EXPECT_TRUE(host.sender.packets.empty());
        ASSERT_TRUE(host.ui.Answer(c.answer));
        EXPECT_EQ(StateView::DeleteState(*dlg), c.state);
        if (c.id.empty()) {
            EXPECT_TRUE(host.sender.packets.empty());
            continue;
        }
        std::vector<uint8_t> expected = head;
        expected.insert(expected.end(), c.id.begin(), c.id.end());
        EXPECT_EQ(host.sender.packets, std::vector<std::vector<uint8_t>>{expected});
    }
}

// The box may be answered after the dialog has gone.
TEST_F(TaskLogDlgTest, AnswerAfterTheDialogIsGoneReachesNothing)
{
    CTaskLogDlg* dlg = OpenLog();
    ClickCentre(StateView::DeleteBtn(*dlg));
    ASSERT_TRUE(host.ui.HasOpenBox());
    XDesktop::GetInstance()->DestroyWindow(dlg);
    EXPECT_TRUE(host.ui.Answer(1));
    EXPECT_TRUE(host.sender.packets.empty());
}

TEST_F(TaskLogDlgTest, CloseButtonHidesAndTheKeyToggles)
{
    CTaskLogDlg* dlg = OpenLog();
    ClickCentre(StateView::CloseBtn(*dlg));
    EXPECT_FALSE(dlg->IsVisible());
    for (const bool visible : {true, false}) {
        XDesktop::GetInstance()->AccelKey(dlg);
        EXPECT_EQ(dlg->IsVisible() != FALSE, visible);
    }
}

}  // namespace
}  // namespace orvane::test
