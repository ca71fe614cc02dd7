// Every byte of every sample and seed message 87 and 91, set in turn to
// 0x00, 0x7F, 0x80, 0xFF and to its value plus and minus one, played through
// the whole module with its windows: the message delivered and shown, what
// it offers clicked, the timers run. Nothing may crash (the sanitizer build
// catches any bad read, write or freed object) and every packet that leaves
// must be sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "testkit/ModuleActions.h"
#include "tests/robustness/PacketCheck.h"
#include "tools/hostlib/Scenario.h"

namespace orvane::fuzz {
namespace {

struct Message {
    std::string origin;
    int32_t msgId;
    std::vector<uint8_t> bytes;
};

// The messages the sample scenarios send, then those of the seed sessions;
// a message met twice is kept once.
const std::vector<Message>& Messages()
{
    static const std::vector<Message> messages = [] {
        std::vector<Message> out;
        auto add = [&](std::string origin, int32_t msgId, std::vector<uint8_t> bytes) {
            if (msgId != 87 && msgId != 91)
                return;
            for (const Message& m : out)
                if (m.msgId == msgId && m.bytes == bytes)
                    return;
            out.push_back({std::move(origin), msgId, std::move(bytes)});
        };
        for (const char* name : {"demo.jsonl", "server-messages.jsonl"}) {
            std::ifstream in(std::string(ORVANE_SAMPLE_DIR) + "/scenarios/" + name);
            std::string line;
            for (int n = 1; std::getline(in, line); ++n) {
                const hostprog::LineResult r = hostprog::ReadScenarioLine(line, n);
                if (r.kind != hostprog::LineResult::Kind::Op)
                    continue;
                const hostprog::OpKind k = r.op.kind;
                if (k == hostprog::OpKind::Server || k == hostprog::OpKind::Talk ||
                    k == hostprog::OpKind::TaskLog)
                    add(std::string(name) + ":" + std::to_string(n), r.op.msg, r.op.bytes);
            }
        }
        int n = 0;
        for (SeedMessage& m : SeedMessages())
            add("seed message " + std::to_string(n++), m.msgId, std::move(m.bytes));
        return out;
    }();
    return messages;
}

void U8(std::vector<uint8_t>& s, uint8_t v)
{
    s.push_back(v);
}

void U16(std::vector<uint8_t>& s, uint16_t v)
{
    s.push_back(static_cast<uint8_t>(v));
    s.push_back(static_cast<uint8_t>(v >> 8));
}

// A talk message shown, its links and controls clicked page by page with the
// clock running; a task log shown, its tasks, pages and delete clicked, the
// delete confirmed.
std::vector<uint8_t> Session(int32_t msgId, const std::vector<uint8_t>& bytes)
{
    std::vector<uint8_t> s;
    if (msgId == 87) {
        U8(s, kOpenWindow);  // the talk window, as the seed conversation has it
        U8(s, 0);
        U8(s, 0);
    } else {
        U8(s, kClientCall);
        U8(s, 5);  // CreateClientLogWnd
    }
    U8(s, msgId == 87 ? kServer87 : kServer91);
    U16(s, static_cast<uint16_t>(bytes.size()));
    s.insert(s.end(), bytes.begin(), bytes.end());
    if (msgId == 87) {
        // Narration closed page by page, then the menu's first task and its
        // first answer; the other links on the way.
        for (uint8_t link : {0, 0, 0, 0, 1, 2}) {
            U8(s, kClickLink);
            U8(s, link);
            U8(s, kAdvance);
            U16(s, 1500);
        }
    } else {
        for (uint8_t control : {0, 11, 1, 12}) {
            U8(s, kClickLog);
            U8(s, control);
        }
        U8(s, kAnswerBox);
        U8(s, 1);
    }
    U8(s, kAdvance);
    U16(s, 2000);
    return s;
}

class ByteCorruptionTest : public ::testing::TestWithParam<size_t> {
protected:
    GameFolder folder{ORVANE_SAMPLE_DIR};
};

TEST(ByteCorruptionMessages, SamplesAndSeedsAreAllThere)
{
    // Three server ops and three built messages in the samples, ten seed
    // messages of which none repeats a sample.
    EXPECT_EQ(Messages().size(), 16u);
}

TEST(ByteCorruptionMessages, WholeMessagesReachTheirPackets)
{
    // The sessions must reach deep enough for a corrupted byte to matter: a
    // sound conversation ends in its answer, a sound task log in a delete.
    // The hostile seeds (cut short, empty, page counts out of range) and a
    // log with nothing to delete send nothing.
    const size_t expected[] = {1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
    ASSERT_EQ(Messages().size(), std::size(expected));
    GameFolder folder{ORVANE_SAMPLE_DIR};
    for (size_t i = 0; i < Messages().size(); ++i) {
        const Message& m = Messages()[i];
        const std::vector<uint8_t> session = Session(m.msgId, m.bytes);
        const SessionStats stats = PlaySession(folder, session.data(), session.size());
        EXPECT_EQ(stats.packets.size(), expected[i]) << m.origin;
        EXPECT_EQ(stats.actions, m.msgId == 87 ? 15 : 8) << m.origin;
    }
}

TEST_P(ByteCorruptionTest, NoSingleByteBreaksTheModule)
{
    const Message& m = Messages().at(GetParam());
    const std::string where = m.origin + " (message " + std::to_string(m.msgId) + ")";
    // Under an emulator every session costs far more: there a stride of
    // positions, everywhere else each one.
#ifdef _WIN32
    size_t stride = 128;
#else
    size_t stride = 1;
#endif
    // scripts/test-m32.sh asks for a stride where qemu-i386 runs the suite.
    if (const char* asked = std::getenv("ORVANE_BYTE_STRIDE"); asked && std::atoi(asked) > 0)
        stride = static_cast<size_t>(std::atoi(asked));
    size_t sessions = 0;
    auto play = [&](const std::vector<uint8_t>& bytes, const std::string& what) {
        const std::vector<uint8_t> session = Session(m.msgId, bytes);
        const SessionStats stats = PlaySession(folder, session.data(), session.size());
        for (const Packet& p : stats.packets)
            ASSERT_EQ(PacketFault(p), "") << where << ", " << what;
        ++sessions;
    };
    play(m.bytes, "unchanged");
    std::vector<uint8_t> bytes = m.bytes;
    for (size_t at = 0; at < bytes.size(); at += stride) {
        const uint8_t original = bytes[at];
        std::vector<uint8_t> values = {0x00,
                                       0x7F,
                                       0x80,
                                       0xFF,
                                       static_cast<uint8_t>(original + 1),
                                       static_cast<uint8_t>(original - 1)};
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        for (uint8_t v : values) {
            if (v == original)
                continue;
            bytes[at] = v;
            play(bytes, "byte " + std::to_string(at) + " set to " + std::to_string(v));
            if (HasFatalFailure())
                return;
        }
        bytes[at] = original;
    }
    RecordProperty("sessions", static_cast<int>(sessions));
    EXPECT_GT(sessions, m.bytes.size() / stride * 4);
}

INSTANTIATE_TEST_SUITE_P(Messages, ByteCorruptionTest,
                         ::testing::Range<size_t>(0, Messages().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             return "m" + std::to_string(info.param) + "_" +
                                    std::to_string(Messages()[info.param].msgId);
                         });

}  // namespace
}  // namespace orvane::fuzz
