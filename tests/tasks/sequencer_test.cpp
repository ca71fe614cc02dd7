// The talk sequencer's state machine, driven the way the module is driven:
// message 87 through the host's registry, the step timer armed as the talk
// window does when it is hidden, time moved on the host's virtual clock, and
// menu picks through the client's window callback.
#include <string>
#include <vector>

#include "client/StateView.h"
#include "tests/tasks/TaskTestSupport.h"

namespace orvane::test {
namespace {

const char kCurrentPageError[] = "m_CurrentOutNum  .... error";

struct PageDef {
    int32_t task;
    std::vector<std::pair<int32_t, std::string>> options;  // (link, text)
};

PageDef Narration(int32_t task, const std::string& text)
{
    return {task, {{0, text}}};
}
PageDef Choice(int32_t task, const std::string& a, const std::string& b)
{
    return {task, {{1, a}, {2, b}}};
}
PageDef Chat(const std::vector<std::string>& texts)
{
    PageDef page{0, {}};
    for (const std::string& t : texts)
        page.options.push_back({5, t});
    return page;
}
// Task pages that belong to no class: no options, or one linked option.
PageDef NoOptions(int32_t task)
{
    return {task, {}};
}
PageDef OneLink(int32_t task, const std::string& text)
{
    return {task, {{9, text}}};
}

enum class Act { Close, Pick };

struct Tick {
    Act act;
    int32_t value;  // the picked link value
    std::vector<std::string> shown;
    int32_t state;
    bool error = false;
};

struct SequenceCase {
    const char* name;
    std::vector<PageDef> pages;
    std::optional<int16_t> pageCount;
    int32_t stateBefore;
    std::vector<std::string> shown;  // screens shown when the message arrives
    int32_t state;
    bool error;
    std::vector<Tick> ticks;
};

// A menu screen reads as its link values, a page as its line texts.
std::string Summary(const TalkScreen& screen)
{
    std::string out;
    if (screen.panel == kMenuHeading) {
        out = "menu:";
        for (size_t i = 0; i < screen.lines.size(); ++i)
            out += (i ? "," : "") + std::to_string(screen.lines[i].second);
        return out;
    }
    for (size_t i = 0; i < screen.lines.size(); ++i)
        out += (i ? "|" : "") + screen.lines[i].first;
    return out;
}

// clang-format off
const SequenceCase kCases[] = {
    {"one narration page shows at once", {Narration(11, "A")}, {}, TALK_IDLE,
     {"A"}, TALK_IDLE, false, {{Act::Close, 0, {}, TALK_IDLE}}},
    {"one chat page without options still shows", {Chat({})}, {}, TALK_IDLE,
     {""}, TALK_IDLE, false, {}},
    {"a page count of 1 shows page 0 whatever follows",
     {Choice(11, "A1", "A2"), Narration(12, "B")}, 1, TALK_AWAIT_CHOICE,
     {"A1|A2"}, TALK_IDLE, false, {}},
    {"narration pages one by one, then the only choice",
     {Narration(11, "A"), Narration(12, "B"), Choice(13, "C1", "C2")}, {}, TALK_IDLE,
     {"A"}, TALK_NARRATION, false,
     {{Act::Close, 0, {"B"}, TALK_NARRATION},
      {Act::Close, 0, {"C1|C2"}, TALK_IDLE},
      {Act::Close, 0, {}, TALK_IDLE}}},
    {"narration, then a menu, then a pick",
     {Narration(11, "A"), Choice(12, "B1", "B2"), Choice(13, "C1", "C2")}, {}, TALK_IDLE,
     {"A"}, TALK_NARRATION, false,
     {{Act::Close, 0, {"menu:101,102"}, TALK_AWAIT_CHOICE},
      {Act::Pick, 102, {"C1|C2"}, TALK_IDLE}}},
    {"narration that leaves nothing to offer ends idle",
     {Narration(11, "A"), Chat({})}, {}, TALK_IDLE,
     {"A"}, TALK_NARRATION, false, {{Act::Close, 0, {}, TALK_IDLE}}},
    {"narration skips offers; the menu lists choices before chats",
     {Chat({"X"}), Narration(11, "A"), Choice(12, "B1", "B2"), Narration(13, "C")}, {}, TALK_IDLE,
     {"A"}, TALK_NARRATION, false,
     {{Act::Close, 0, {"C"}, TALK_NARRATION},
      {Act::Close, 0, {"menu:102,100"}, TALK_AWAIT_CHOICE},
      {Act::Pick, 100, {"X"}, TALK_IDLE}}},
    {"one choice page and no chat shows it",
     {NoOptions(11), Choice(12, "B1", "B2")}, {}, TALK_IDLE,
     {"B1|B2"}, TALK_IDLE, false, {}},
    {"one open chat and no choice shows it",
     {OneLink(11, "L"), Chat({"X", "Y"})}, {}, TALK_IDLE,
     {"X|Y"}, TALK_IDLE, false, {}},
    {"one chat without options waits with an error",
     {Chat({}), NoOptions(11)}, {}, TALK_IDLE,
     {}, TALK_SHOW_CURRENT, true, {{Act::Close, 0, {}, TALK_SHOW_CURRENT, true}}},
    {"two choices and a chat open the menu",
     {Choice(11, "A1", "A2"), Choice(12, "B1", "B2"), Chat({"X", "Y"})}, {}, TALK_IDLE,
     {"menu:100,101,102"}, TALK_AWAIT_CHOICE, false, {{Act::Pick, 101, {"B1|B2"}, TALK_IDLE}}},
    {"a menu of one item is not shown",
     {Choice(11, "A1", "A2"), Chat({})}, {}, TALK_IDLE,
     {}, TALK_AWAIT_CHOICE, false, {{Act::Pick, 100, {"A1|A2"}, TALK_IDLE}}},
    {"two open chats leave an idle sequencer idle",
     {Chat({"X"}), Chat({"Y"})}, {}, TALK_IDLE,
     {}, TALK_IDLE, false, {{Act::Close, 0, {}, TALK_IDLE}}},
    {"the state carries over when no row fits",
     {Chat({"X"}), Chat({"Y"})}, {}, TALK_AWAIT_CHOICE,
     {}, TALK_AWAIT_CHOICE, false, {{Act::Pick, 101, {"Y"}, TALK_IDLE}}},
    {"only unclassed pages change nothing",
     {NoOptions(11), OneLink(12, "L")}, {}, TALK_AWAIT_CHOICE,
     {}, TALK_AWAIT_CHOICE, false, {}},
    {"no pages change nothing", {}, {}, TALK_AWAIT_CHOICE,
     {}, TALK_AWAIT_CHOICE, false, {}},
    {"a page count above six reads six pages",
     {Choice(11, "A1", "A2"), Choice(12, "B1", "B2"), Choice(13, "C1", "C2"),
      Choice(14, "D1", "D2"), Choice(15, "E1", "E2"), Choice(16, "F1", "F2")}, 7, TALK_IDLE,
     {"menu:100,101,102,103,104,105"}, TALK_AWAIT_CHOICE, false,
     {{Act::Pick, 105, {"F1|F2"}, TALK_IDLE}}},
    {"a page count of 32767 reads six pages",
     {Narration(11, "A"), Narration(12, "B")}, 32767, TALK_IDLE,
     {"A"}, TALK_NARRATION, false,
     {{Act::Close, 0, {"B"}, TALK_NARRATION}, {Act::Close, 0, {}, TALK_IDLE}}},
    {"a negative page count reads no pages",
     {Choice(11, "A1", "A2"), Narration(12, "B")}, -1, TALK_IDLE,
     {}, TALK_IDLE, false, {}},
    {"a pick outside the pages is refused",
     {Choice(11, "A1", "A2"), Choice(12, "B1", "B2"), Chat({})}, {}, TALK_IDLE,
     {"menu:100,101"}, TALK_AWAIT_CHOICE, false,
     {{Act::Pick, 103, {}, TALK_SHOW_CURRENT, true},
      {Act::Close, 0, {}, TALK_SHOW_CURRENT, true}}},
    {"a pick below the menu is refused",
     {Choice(11, "A1", "A2"), Choice(12, "B1", "B2")}, {}, TALK_IDLE,
     {"menu:100,101"}, TALK_AWAIT_CHOICE, false,
     {{Act::Pick, 99, {}, TALK_SHOW_CURRENT, true}}},
};
// clang-format on

class SequencerTest : public TaskMessageTest {
protected:
    std::vector<std::string> NewScreens()
    {
        std::vector<std::string> out;
        for (size_t i = m_screensSeen; i < talk->screens.size(); ++i)
            out.push_back(Summary(talk->screens[i]));
        m_screensSeen = talk->screens.size();
        return out;
    }
    int CountErrors()
    {
        const std::vector<std::string> writes = TakeDebugWrites();
        return static_cast<int>(std::count(writes.begin(), writes.end(), kCurrentPageError));
    }
    // Page options get texts through the sentence table, by made-up ids.
    Bytes MessageFor(const SequenceCase& c)
    {
        std::vector<WirePage> wire;
        for (size_t p = 0; p < c.pages.size(); ++p) {
            WirePage page{c.pages[p].task, {}, {}};
            for (size_t i = 0; i < c.pages[p].options.size(); ++i) {
                const auto resID = static_cast<int32_t>(1000 + 10 * p + i);
                StateView::Sentences(*Client()).Append(resID, c.pages[p].options[i].second.c_str());
                page.options.push_back({c.pages[p].options[i].first, resID});
            }
            wire.push_back(page);
        }
        return TalkMessage(wire, c.pageCount);
    }

private:
    size_t m_screensSeen = 0;
};

TEST_F(SequencerTest, TransitionTable)
{
    IWndCallback* callback = Client()->WindowCallback();
    CTaskTalkSequencer* seq = Seq();
    for (const SequenceCase& c : kCases) {
        SCOPED_TRACE(c.name);
        StateView::Sentences(*Client()).Clear();
        seq->SetState(c.stateBefore);
        DeliverTalk(MessageFor(c));
        EXPECT_EQ(NewScreens(), c.shown);
        EXPECT_EQ(StateView::TalkState(*seq), c.state);
        EXPECT_EQ(CountErrors(), c.error ? 1 : 0);

        for (size_t t = 0; t < c.ticks.size(); ++t) {
            const Tick& tick = c.ticks[t];
            SCOPED_TRACE("tick " + std::to_string(t));
            const int32_t stateBefore = StateView::TalkState(*seq);
            if (tick.act == Act::Close)
                seq->StartStepTimer();  // what the talk window does when it is hidden
            else
                EXPECT_TRUE(callback->OnEvent(CTaskClient::kTalkWndID, 1, tick.value, 0));
            EXPECT_EQ(host.timers.IsArmed(0, seq), stateBefore != TALK_IDLE);
            host.timers.Advance(CTaskTalkSequencer::kStepTimerMs);
            EXPECT_FALSE(host.timers.IsArmed(0, seq)) << "the step timer is one-shot";
            EXPECT_EQ(NewScreens(), tick.shown);
            EXPECT_EQ(StateView::TalkState(*seq), tick.state);
            EXPECT_EQ(CountErrors(), tick.error ? 1 : 0);
        }
        EXPECT_TRUE(host.sender.packets.empty()) << "menu picks stay local";
    }
}

TEST_F(SequencerTest, NextPageComesHalfASecondAfterClosing)
{
    DeliverTalk(TalkMessage({{11, {{0, 1}}, {}}, {12, {{0, 2}}, {}}}));
    ASSERT_EQ(NewScreens().size(), 1u);
    Seq()->StartStepTimer();
    host.timers.Advance(CTaskTalkSequencer::kStepTimerMs - 1);
    EXPECT_TRUE(NewScreens().empty());
    host.timers.Advance(1);
    EXPECT_EQ(NewScreens().size(), 1u);
    EXPECT_EQ(StateView::CurrentPage(*Seq()), 1);
}

TEST_F(SequencerTest, EachMessageRecomputesFromItsOwnPages)
{
    DeliverTalk(TalkMessage({{11, {{0, 1}}, {}}, {12, {{0, 2}}, {}}}));
    EXPECT_EQ(StateView::TalkState(*Seq()), TALK_NARRATION);
    EXPECT_EQ(StateView::CurrentPage(*Seq()), 0);
    // A new message in the middle of a narration starts over with its pages.
    DeliverTalk(TalkMessage({{21, {{0, 1}}, {}}, {22, {{0, 2}}, {}}, {23, {{0, 3}}, {}}}));
    EXPECT_EQ(StateView::PageArea(*Seq()).m_Pages[0].nTaskID, 21);
    EXPECT_EQ(StateView::CurrentPage(*Seq()), 0);
    EXPECT_EQ(NewScreens().size(), 2u);
}

TEST_F(SequencerTest, DestroyingTheSequencerCancelsItsStepTimer)
{
    DeliverTalk(TalkMessage({{11, {{0, 1}}, {}}, {12, {{0, 2}}, {}}}));
    CTaskTalkSequencer* seq = Seq();
    seq->StartStepTimer();
    ASSERT_TRUE(host.timers.IsArmed(0, seq));
    helper.Close();
    EXPECT_FALSE(host.timers.IsArmed(0, seq));
    host.timers.Advance(1000);  // nothing may reach the freed sequencer
    EXPECT_EQ(host.timers.ArmedCount(), 0u);
}

TEST_F(SequencerTest, ArmingWhileIdleSetsNoTimer)
{
    ASSERT_EQ(StateView::TalkState(*Seq()), TALK_IDLE);
    Seq()->StartStepTimer();
    EXPECT_EQ(host.timers.ArmedCount(), 0u);
}

}  // namespace
}  // namespace orvane::test
