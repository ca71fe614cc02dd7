// Whole sessions of the module played from bytes: the seed sessions, then
// thousands of mutations of them. Besides never crashing (the sanitizer
// build catches any bad read, write or freed object), every packet that
// leaves must be one the module knows how to make, laid out whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "testkit/ModuleActions.h"
#ifndef _WIN32
#include "testkit/AllocInjector.h"
#endif
#include "tests/robustness/PacketCheck.h"

namespace orvane::fuzz {
namespace {

class SessionReplayTest : public ::testing::Test {
protected:
    GameFolder folder{ORVANE_SAMPLE_DIR};
};

TEST_F(SessionReplayTest, SeedSessionsReachTheirPackets)
{
    const std::vector<Packet> seeds = SeedSessions();
    ASSERT_EQ(seeds.size(), 4u);
    struct Expected {
        uint16_t sub;  // the packet of type 5 the session ends in; 0 for none
        size_t count;
    };
    // The conversation answers the server once; the task log deletes once
    // (the second delete is declined); the others send nothing.
    const Expected expected[] = {{87, 1}, {92, 1}, {0, 0}, {0, 0}};
    for (size_t i = 0; i < seeds.size(); ++i) {
        const SessionStats stats = PlaySession(folder, seeds[i].data(), seeds[i].size());
        EXPECT_EQ(stats.packets.size(), expected[i].count) << "seed " << i;
        for (const Packet& p : stats.packets) {
            EXPECT_EQ(PacketFault(p), "") << "seed " << i;
            EXPECT_EQ(Word(p, 4), expected[i].sub) << "seed " << i;
        }
        EXPECT_GT(stats.clicks, 0) << "seed " << i;
    }
}

void Mutate(std::mt19937& rng, Packet& s, const std::vector<Packet>& seeds)
{
    auto pick = [&](size_t n) { return n == 0 ? size_t{0} : rng() % n; };
    for (int ops = 1 + static_cast<int>(rng() % 6); ops > 0; --ops) {
        switch (rng() % 5) {
            case 0:  // any byte
                if (!s.empty())
                    s[pick(s.size())] = static_cast<uint8_t>(rng());
                break;
            case 1:  // a run of edge bytes: counts, offsets, ids at their limits
                if (!s.empty()) {
                    const uint8_t edge[] = {0x00, 0x01, 0x06, 0x07, 0x0A, 0x7F, 0x80, 0xFF};
                    const size_t at = pick(s.size());
                    for (size_t n = at; n < std::min(s.size(), at + 1 + pick(4)); ++n)
                        s[n] = edge[pick(std::size(edge))];
                }
                break;
            case 2:  // cut short
                s.resize(pick(s.size() + 1));
                break;
            case 3: {  // a piece of another session spliced in
                const Packet& other = seeds[pick(seeds.size())];
                const size_t from = pick(other.size());
                const size_t len = pick(other.size() - from + 1);
                s.insert(s.begin() + static_cast<long>(pick(s.size() + 1)),
                         other.begin() + static_cast<long>(from),
                         other.begin() + static_cast<long>(from + len));
                break;
            }
            default:  // a stretch removed
                if (!s.empty()) {
                    const size_t at = pick(s.size());
                    s.erase(s.begin() + static_cast<long>(at),
                            s.begin() + static_cast<long>(std::min(s.size(), at + 1 + pick(64))));
                }
                break;
        }
    }
}

TEST_F(SessionReplayTest, MutatedSessionsSendOnlySoundPackets)
{
    const std::vector<Packet> seeds = SeedSessions();
    std::mt19937 rng(91087);
    // Each session loads the game's scripts anew, which is slow in the
    // sanitizer build and slower still under an emulator; the fuzz target
    // goes further (scripts/fuzz.sh).
#ifdef _WIN32
    constexpr int kSessions = 100;
#else
    constexpr int kSessions = 500;
#endif
    size_t packets = 0;
    for (int i = 0; i < kSessions; ++i) {
        Packet session = seeds[rng() % seeds.size()];
        Mutate(rng, session, seeds);
        const SessionStats stats = PlaySession(folder, session.data(), session.size());
        for (const Packet& p : stats.packets)
            ASSERT_EQ(PacketFault(p), "") << "session " << i;
        packets += stats.packets.size();
    }
    // The mutations must not have left the module's deeper paths unreached.
    EXPECT_GT(packets, 0u);
}

#ifndef _WIN32  // see tests/CMakeLists.txt: no failure injection on Windows
// The seeds with one allocation failing, spread over each session: no
// crash, no leak, and the same seed played afterwards without failures
// still reaches its packets (nothing of the failed session stays behind).
TEST_F(SessionReplayTest, SeedsWithAFailedAllocation)
{
    const std::vector<Packet> seeds = SeedSessions();
    const FaultHooks faults{&inject::Arm, &inject::Disarm};
    for (size_t i = 0; i < seeds.size(); ++i) {
        // The first play fills the folder's caches of scripts and pictures;
        // the second is counted.
        PlaySession(folder, seeds[i].data(), seeds[i].size());
        inject::Reset(0);
        const SessionStats clean = PlaySession(folder, seeds[i].data(), seeds[i].size(), faults);
        const uint64_t n = inject::Count();
        ASSERT_GT(n, 0u);
        int failed = 0;
        for (uint64_t k = 1; k <= n; k += n / 40 + 1) {
            inject::Reset(k);
            const SessionStats stats =
                PlaySession(folder, seeds[i].data(), seeds[i].size(), faults);
            failed += inject::Failed() ? 1 : 0;
            for (const Packet& p : stats.packets)
                ASSERT_EQ(PacketFault(p), "") << "seed " << i << ", allocation " << k;
        }
        inject::Reset(0);
        EXPECT_GT(failed, 30) << "seed " << i;
        EXPECT_EQ(PlaySession(folder, seeds[i].data(), seeds[i].size()).packets, clean.packets)
            << "seed " << i;
    }
}
#endif

}  // namespace
}  // namespace orvane::fuzz
