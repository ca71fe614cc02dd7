// Thousands of mutated and truncated server messages through the observer.
// Each message lives in a buffer of exactly its length, so the sanitizer
// build catches any read past its end; the checks below catch results that
// no well-behaved handling could give.
#include <climits>
#include <random>
#include <vector>

#include "client/StateView.h"
#include "tests/tasks/TaskTestSupport.h"

namespace orvane::test {
namespace {

struct Seed {
    int32_t msgId;
    Bytes bytes;
    size_t blockStart;
};

std::vector<Seed> Seeds()
{
    const Bytes narration = TalkMessage(
        {{11, {{0, 1}}, {}}, {12, {{0, 2}}, {}}, {13, {{1, 3}, {2, 4}}, {}}, {0, {{5, 1}}, {}}});
    const Bytes menu = TalkMessage({{11, {{1, 1}, {2, 2}}, {}}, {12, {{1, 3}, {2, 4}}, {}}});
    const BlockSpec sentences = SentenceBlock({{1, "one"}, {2, "\xB0\xA1#\xB0\xA1"}, {3, ""}});
    const std::vector<LogEntry> entries = {
        {11, "eleven", "story#of#eleven"}, {16777216, "x", "d\r\n\r\n\r\nBig"}, {12, "", ""}};
    const Bytes list = TaskListBytes({11, 12});
    return {
        {87, Concat(narration, sentences.Encode()), kTalkFixedSize},
        {87, Concat(menu, sentences.Encode()), kTalkFixedSize},
        {87, narration, kTalkFixedSize},
        {91, Concat(list, TaskLogBlock(kKindTaskLogAll, entries).Encode()), kTaskListSize},
        {91, Concat(list, TaskLogBlock(kKindTaskLogAdd, entries).Encode()), kTaskListSize},
        {91, Concat(list, TaskLogBlock(kKindTaskLogRefresh, {}).Encode()), kTaskListSize},
        {91, list, kTaskListSize},
    };
}

void Mutate(std::mt19937& rng, Bytes& m, size_t blockStart)
{
    static const int32_t kEdges[] = {INT_MIN, -32768, -1, 0, 1, 6, 7, 8, 10, 11, 32767, INT_MAX};
    auto edge = [&] { return kEdges[rng() % std::size(kEdges)]; };
    auto pick = [&](size_t n) { return n == 0 ? 0 : rng() % n; };
    const int ops = 1 + static_cast<int>(rng() % 4);
    for (int op = 0; op < ops; ++op) {
        switch (rng() % 6) {
            case 0:  // any byte
                if (!m.empty())
                    m[pick(m.size())] = static_cast<uint8_t>(rng());
                break;
            case 1:  // cut short
                m.resize(pick(m.size() + 1));
                break;
            case 2:  // trailing bytes
                for (size_t n = pick(24); n > 0; --n)
                    m.push_back(static_cast<uint8_t>(rng()));
                break;
            case 3: {  // a block header field
                const size_t at = blockStart + 2 * pick(5);
                const int32_t v = edge();
                if (at + 2 <= m.size()) {
                    m[at] = static_cast<uint8_t>(v);
                    m[at + 1] = static_cast<uint8_t>(v >> 8);
                }
                break;
            }
            case 4: {  // an int32 anywhere: counts, offsets, ids
                const size_t at = pick(m.size()) & ~size_t{3};
                const int32_t v = edge();
                for (size_t i = 0; i < 4 && at + i < m.size(); ++i)
                    m[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
                break;
            }
            default:  // the page count
                if (m.size() >= 10) {
                    const int32_t v = edge();
                    m[8] = static_cast<uint8_t>(v);
                    m[9] = static_cast<uint8_t>(v >> 8);
                }
                break;
        }
    }
}

class ObserverFuzzTest : public TaskMessageTest {};

TEST_F(ObserverFuzzTest, MutatedMessagesAreHandledSoundly)
{
    const std::vector<Seed> seeds = Seeds();
    std::mt19937 rng(87091);
    constexpr int kCases = 4000;
    for (int i = 0; i < kCases; ++i) {
        const Seed& seed = seeds[rng() % seeds.size()];
        Bytes message = seed.bytes;
        Mutate(rng, message, seed.blockStart);
        // Now and then without windows, or with the other message's id.
        StateView::SetTalkDlg(*Client(), (i % 13 == 0) ? nullptr : talk.get());
        StateView::SetLogDlg(*Client(), (i % 17 == 0) ? nullptr : logDlg.get());
        const int32_t msgId = (i % 11 == 0) ? (seed.msgId == 87 ? 91 : 87) : seed.msgId;
        Deliver(msgId, message);
        if (rng() % 3 == 0) {
            Seq()->StartStepTimer();
            host.timers.Advance(CTaskTalkSequencer::kStepTimerMs);
        }

        const int32_t state = StateView::TalkState(*Seq());
        ASSERT_TRUE(state == TALK_IDLE || state == TALK_SINGLE || state == TALK_NARRATION ||
                    state == TALK_SHOW_CURRENT || state == TALK_BUILD_MENU ||
                    state == TALK_AWAIT_CHOICE)
            << "case " << i;
        ASSERT_GE(StateView::CurrentPage(*Seq()), -1) << "case " << i;
        ASSERT_LT(StateView::CurrentPage(*Seq()), kMaxTalkPages) << "case " << i;
        ASSERT_EQ(host.timers.ArmedCount(), 0u) << "case " << i;
    }
    for (const TalkScreen& screen : talk->screens) {
        EXPECT_LE(screen.lines.size(), static_cast<size_t>(kMaxTalkOptions));
        EXPECT_LE(screen.panel.size(), static_cast<size_t>(kMaxPageTextBytes));
    }
    EXPECT_FALSE(talk->screens.empty());
    EXPECT_FALSE(logDlg->received.empty());
    for (const auto& [type, bytes] : logDlg->received)
        EXPECT_GE(bytes.size(), kTaskListSize);
}

}  // namespace
}  // namespace orvane::test
