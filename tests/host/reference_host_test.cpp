#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/ReferenceHost.h"

namespace orvane::host {
namespace {

TEST(ReferenceHostTest, CarriesAllSevenServices)
{
    ReferenceHost host;
    CGlobalClient* client = host.Client();
    EXPECT_EQ(client->m_MsgOutput.m_pOutput, &host.output);
    EXPECT_EQ(client->m_pResLoader, &host.loader);
    EXPECT_EQ(client->m_pTimerService, &host.timers);
    EXPECT_EQ(client->m_pNetSender, &host.sender);
    EXPECT_EQ(client->m_pMsgRegistry, &host.registry);
    EXPECT_EQ(client->m_pUiService, &host.ui);
    EXPECT_EQ(client->m_szWorkDir[0], '\0');

    host.DropSender();
    host.DropRegistry();
    host.DropUiService();
    host.DropLoader();
    host.DropOutput();
    EXPECT_EQ(client->m_pNetSender, nullptr);
    EXPECT_EQ(client->m_pMsgRegistry, nullptr);
    EXPECT_EQ(client->m_pUiService, nullptr);
    EXPECT_EQ(client->m_pResLoader, nullptr);
    EXPECT_EQ(client->m_MsgOutput.m_pOutput, nullptr);
    EXPECT_EQ(client->m_pTimerService, &host.timers);
}

TEST(ReferenceHostTest, WorkDirMustFitWithItsZero)
{
    const size_t capacity = sizeof(CGlobalClient::m_szWorkDir);
    const struct {
        std::string dir;
        bool accepted;
    } cases[] = {
        {"", true},
        {"/tmp/game", true},
        {std::string(capacity - 1, 'a'), true},
        {std::string(capacity, 'b'), false},
        {std::string(1000, 'c'), false},
        {std::string("/tmp\0/x", 7), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dir.size());
        ReferenceHost host;
        ASSERT_TRUE(host.SetWorkDir("/before"));
        EXPECT_EQ(host.SetWorkDir(c.dir), c.accepted);
        const char* stored = host.Client()->m_szWorkDir;
        EXPECT_STREQ(stored, c.accepted ? c.dir.c_str() : "/before");
        // Only zeros after the text: the module may copy the whole array.
        for (size_t i = std::strlen(stored); i < capacity; ++i)
            ASSERT_EQ(stored[i], '\0') << i;
    }
}

// A long run keeps the newest lines only, and counts them all.
TEST(ReferenceHostTest, OutputKeepsABoundedHistory)
{
    ReferenceHost host;
    const size_t total = 2 * RecordingOutput::kKeptLines + 5;
    for (size_t i = 0; i < total; ++i)
        host.output.Print(std::to_string(i).c_str(), 0xFF0000, 9, 0, 1, 0);
    EXPECT_EQ(host.output.lines.size(), RecordingOutput::kKeptLines + 5);
    EXPECT_EQ(host.output.lines.front(), std::to_string(RecordingOutput::kKeptLines));
    EXPECT_EQ(host.output.lines.back(), std::to_string(total - 1));
    EXPECT_EQ(host.output.printed, total);
}

TEST(ReferenceHostTest, OutputAndSenderRecordWhatTheModuleHandsThem)
{
    ReferenceHost host;
    std::vector<HostEvent> events;
    host.hub.SetListener([&](const HostEvent& ev) { events.push_back(ev); });
    host.output.Print("line", 0xFF0000, 9, 0, 1, 0);
    host.output.Print(nullptr, 0xFF0000, 9, 0, 1, 0);
    const uint8_t bytes[] = {5, 0, 87, 0, 1, 2};
    EXPECT_EQ(host.sender.Send(bytes, 6), 6);
    EXPECT_EQ(host.sender.Send(bytes, -1), 0);
    EXPECT_EQ(host.output.lines, (std::vector<std::string>{"line", ""}));
    ASSERT_EQ(host.sender.packets.size(), 2u);
    EXPECT_EQ(host.sender.packets[0], std::vector<uint8_t>(bytes, bytes + 6));
    EXPECT_TRUE(host.sender.packets[1].empty());
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, HostEvent::Kind::Print);
    EXPECT_EQ(events[2].kind, HostEvent::Kind::Packet);
    EXPECT_EQ(events[2].bytes.size(), 6u);
}

}  // namespace
}  // namespace orvane::host
