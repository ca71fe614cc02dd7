// The window callback's decisions and the exact packets it sends.
#include "net/TaskWndCallback.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <memory>
#include <optional>
#include <vector>

#include "client/ModuleState.h"
#include "client/StateView.h"
#include "net/FunctionTasks.h"
#include "tasks/TaskTalkSequencer.h"
#include "tests/net/NetTestSupport.h"
#include "tests/support/ModuleFixture.h"

namespace {

using orvane::StateView;
using orvane::test::Bytes;

const uint8_t kReplyKey[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};

// The talk answer with kReplyKey, as the server must receive it.
std::vector<uint8_t> TalkAnswer(std::initializer_list<int> value)
{
    std::vector<uint8_t> out = Bytes({0x10, 0x00, 0x05, 0x00, 0x57, 0x00});
    out.insert(out.end(), kReplyKey, kReplyKey + 8);
    const std::vector<uint8_t> v = Bytes(value);
    out.insert(out.end(), v.begin(), v.end());
    return out;
}

enum class Net { WithSender, NoSender };

struct EventCase {
    const char* name;
    int32_t talkState;
    Net net;
    int32_t code, type, value, extra;
    bool result;
    std::optional<std::vector<uint8_t>> packet;  // nullopt: nothing sent
    // For a menu pick: the page chosen and the step timer armed.
    std::optional<int32_t> page;
};

class TaskWndCallbackTest : public orvane::test::ModuleFixture {
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        CreateClient();
        host.hub.SetListener([this](const orvane::host::HostEvent& ev) {
            if (ev.kind == orvane::host::HostEvent::Kind::TimerSet)
                timerSets.push_back(ev.ms);
        });
    }
    void TearDown() override
    {
        host.hub.SetListener(nullptr);
        ModuleFixture::TearDown();
    }

    std::vector<int32_t> timerSets;
};

TEST_F(TaskWndCallbackTest, Branches)
{
    const EventCase cases[] = {
        {"menu pick settles locally", TALK_AWAIT_CHOICE, Net::WithSender, 163, 1, 102, 0, true,
         std::nullopt, 2},
        {"first menu entry", TALK_AWAIT_CHOICE, Net::WithSender, 163, 1, 100, 0, true, std::nullopt,
         0},
        {"menu pick needs no sender", TALK_AWAIT_CHOICE, Net::NoSender, 163, 1, 101, 0, true,
         std::nullopt, 1},
        {"menu pick far below the menu base", TALK_AWAIT_CHOICE, Net::WithSender, 163, 1, INT_MIN,
         0, true, std::nullopt, -1},
        {"talk answer when idle", TALK_IDLE, Net::WithSender, 163, 1, 5, 0, true,
         TalkAnswer({0x05, 0x00, 0x00, 0x00}), std::nullopt},
        {"talk answer while a page shows", TALK_SHOW_CURRENT, Net::WithSender, 163, 1, -1, 0, true,
         TalkAnswer({0xFF, 0xFF, 0xFF, 0xFF}), std::nullopt},
        {"talk answer in narration", TALK_NARRATION, Net::WithSender, 163, 1, 102, 0, true,
         TalkAnswer({0x66, 0x00, 0x00, 0x00}), std::nullopt},
        {"talk answer without a sender", TALK_IDLE, Net::NoSender, 163, 1, 5, 0, false,
         std::nullopt, std::nullopt},
        {"task delete", TALK_IDLE, Net::WithSender, 172, 7, 1234, 0, true,
         Bytes({0x10, 0x00, 0x05, 0x00, 0x5C, 0x00, 0xD2, 0x04, 0x00, 0x00}), std::nullopt},
        {"task delete, last ordinary id", TALK_IDLE, Net::WithSender, 172, 7, 16777214, 0, true,
         Bytes({0x10, 0x00, 0x05, 0x00, 0x5C, 0x00, 0xFE, 0xFF, 0xFF, 0x00}), std::nullopt},
        {"task delete, negative id", TALK_IDLE, Net::WithSender, 172, 7, -5, 0, true,
         Bytes({0x10, 0x00, 0x05, 0x00, 0x5C, 0x00, 0xFB, 0xFF, 0xFF, 0xFF}), std::nullopt},
        {"task delete ignores the talk state", TALK_AWAIT_CHOICE, Net::WithSender, 172, 7, 1, 0,
         true, Bytes({0x10, 0x00, 0x05, 0x00, 0x5C, 0x00, 0x01, 0x00, 0x00, 0x00}), std::nullopt},
        {"task delete without a sender", TALK_IDLE, Net::NoSender, 172, 7, 1234, 0, false,
         std::nullopt, std::nullopt},
        {"function task not listed", TALK_IDLE, Net::WithSender, 172, 7, 16777215, 0, true,
         std::nullopt, std::nullopt},
        {"highest function task id", TALK_IDLE, Net::NoSender, 172, 7, INT_MAX, 0, true,
         std::nullopt, std::nullopt},
        {"log window, other type", TALK_IDLE, Net::WithSender, 172, 3, 0, 0, true, std::nullopt,
         std::nullopt},
        {"talk window, delete type", TALK_IDLE, Net::WithSender, 163, 7, 1234, 0, true,
         std::nullopt, std::nullopt},
        {"log window, link type", TALK_AWAIT_CHOICE, Net::WithSender, 172, 1, 102, 0, true,
         std::nullopt, std::nullopt},
        {"menu window code", TALK_IDLE, Net::NoSender, 174, 1, 5, 0, true, std::nullopt,
         std::nullopt},
        {"extra is not looked at", TALK_IDLE, Net::WithSender, 163, 1, 5, 99, true,
         TalkAnswer({0x05, 0x00, 0x00, 0x00}), std::nullopt},
    };

    CTaskTalkSequencer* seq = StateView::Sequencer(*Client());
    ASSERT_NE(seq, nullptr);
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        host.Client()->m_pNetSender = &host.sender;
        if (c.net == Net::NoSender)
            host.DropSender();
        host.sender.packets.clear();
        timerSets.clear();
        seq->SetState(c.talkState);
        seq->SetCurrentPage(42);
        seq->SetReplyKey(std::to_array(kReplyKey));

        EXPECT_EQ(Client()->WindowCallback()->OnEvent(c.code, c.type, c.value, c.extra), c.result);

        if (c.packet) {
            ASSERT_EQ(host.sender.packets.size(), 1u);
            EXPECT_EQ(host.sender.packets[0], *c.packet);
        } else {
            EXPECT_TRUE(host.sender.packets.empty());
        }
        if (c.page) {
            EXPECT_EQ(StateView::TalkState(*seq), TALK_SHOW_CURRENT);
            EXPECT_EQ(StateView::CurrentPage(*seq), *c.page);
            EXPECT_EQ(timerSets, std::vector<int32_t>{CTaskTalkSequencer::kStepTimerMs});
        } else {
            EXPECT_EQ(StateView::TalkState(*seq), c.talkState);
            EXPECT_EQ(StateView::CurrentPage(*seq), 42);
        }
    }
}

// A callback that has lost its client (or never had one) answers nothing it
// cannot: there is no conversation, so no talk answer; deletions need none.
TEST_F(TaskWndCallbackTest, WithoutClientOrSequencer)
{
    CTaskWndCallback orphan(nullptr);
    EXPECT_FALSE(orphan.OnEvent(163, 1, 5, 0));
    EXPECT_TRUE(orphan.OnEvent(172, 7, 1234, 0));
    EXPECT_TRUE(orphan.OnEvent(172, 3, 0, 0));
    ASSERT_EQ(host.sender.packets.size(), 1u);
    EXPECT_EQ(host.sender.packets[0],
              Bytes({0x10, 0x00, 0x05, 0x00, 0x5C, 0x00, 0xD2, 0x04, 0x00, 0x00}));

    CTaskWndCallback noSequencer(Client());
    std::unique_ptr<CTaskTalkSequencer> seq = StateView::ExchangeSequencer(*Client(), nullptr);
    EXPECT_FALSE(noSequencer.OnEvent(163, 1, 102, 0));
    StateView::ExchangeSequencer(*Client(), std::move(seq));
    EXPECT_EQ(host.sender.packets.size(), 1u);
}

TEST(TaskWndCallbackNoHost, NothingIsSentWithoutAHost)
{
    orvane::test::ResetModuleState();
    ASSERT_EQ(orvane::g_pGlobalClient, nullptr);
    CTaskWndCallback callback(nullptr);
    EXPECT_FALSE(callback.OnEvent(172, 7, 1234, 0));
}

}  // namespace
