// The layouts of messages 87 and 91 that the talk and tasklog ops build.
#include "tools/hostlib/Messages.h"

#include <gtest/gtest.h>

namespace orvane::hostprog {
namespace {

int32_t I32(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<int32_t>(b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
                                static_cast<uint32_t>(b.at(at + 3)) << 24);
}

int16_t I16(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<int16_t>(b.at(at) | b.at(at + 1) << 8);
}

TEST(MessagesTest, TalkMessageHasTheFixedPartThenTheSentenceBlock)
{
    TalkMessageInput msg;
    msg.key = {1, 2, 3, 4, 5, 6, 7, 8};
    msg.pages = {{1001, {{1, 5002}, {2, 5003}}}, {0, {}}};
    msg.sentences = std::vector<std::pair<int32_t, std::string>>{{9001, "ab"}, {9002, ""}};
    std::string reason;
    const auto bytes = BuildTalkMessage(msg, reason);
    ASSERT_TRUE(bytes) << reason;
    // 540 fixed, 10 header, 16 index, "ab\0" and "\0".
    ASSERT_EQ(bytes->size(), 540u + 10 + 16 + 4);
    EXPECT_EQ((std::vector<uint8_t>(bytes->begin(), bytes->begin() + 8)),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(I16(*bytes, 8), 2);      // page count
    EXPECT_EQ(I32(*bytes, 12), 1001);  // page 0 task
    EXPECT_EQ(I32(*bytes, 16), 2);     // page 0 option count
    EXPECT_EQ(I32(*bytes, 20), 1);     // option 0 link
    EXPECT_EQ(I32(*bytes, 24), 5002);  // option 0 resid
    EXPECT_EQ(I32(*bytes, 28), 2);
    EXPECT_EQ(I32(*bytes, 32), 5003);
    EXPECT_EQ(I32(*bytes, 12 + 88), 0);  // page 1: chat
    EXPECT_EQ(I16(*bytes, 540), 10);     // header size
    EXPECT_EQ(I16(*bytes, 542), 16);     // index size
    EXPECT_EQ(I16(*bytes, 544), 2);      // entries
    EXPECT_EQ(I16(*bytes, 546), 4);      // text size
    EXPECT_EQ(I16(*bytes, 548), 1);      // kind
    EXPECT_EQ(I32(*bytes, 550), 9001);
    EXPECT_EQ(I32(*bytes, 554), 0);
    EXPECT_EQ(I32(*bytes, 558), 9002);
    EXPECT_EQ(I32(*bytes, 562), 3);
    EXPECT_EQ((std::vector<uint8_t>(bytes->begin() + 566, bytes->end())),
              (std::vector<uint8_t>{'a', 'b', 0, 0}));
}

TEST(MessagesTest, TalkMessageEdges)
{
    std::string reason;
    TalkMessageInput bare;
    bare.pageCount = -1;
    auto bytes = BuildTalkMessage(bare, reason);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 540u);
    EXPECT_EQ(I16(*bytes, 8), -1);
    // An empty sentence list still makes a block: 550 bytes, a header alone.
    bare.sentences.emplace();
    EXPECT_EQ(BuildTalkMessage(bare, reason)->size(), 550u);
    // Texts that do not fit the int16 text size are refused.
    bare.sentences->push_back({1, std::string(32767, 'x')});
    EXPECT_FALSE(BuildTalkMessage(bare, reason));
    EXPECT_NE(reason.find("at most 32767"), std::string::npos);
}

TEST(MessagesTest, TaskLogMessageHasTheRecordThenTheBlock)
{
    TaskLogMessageInput msg;
    msg.ids = {11, 0, 12};
    msg.count = 3;
    msg.kind = 2;
    msg.entries = {{11, "A", "s1"}, {12, "", "x"}};
    std::string reason;
    const auto bytes = BuildTaskLogMessage(msg, reason);
    ASSERT_TRUE(bytes) << reason;
    ASSERT_EQ(bytes->size(), 44u + 10 + 16 + 8);
    EXPECT_EQ(I32(*bytes, 0), 3);
    EXPECT_EQ(I32(*bytes, 4), 11);
    EXPECT_EQ(I32(*bytes, 8), 0);
    EXPECT_EQ(I32(*bytes, 12), 12);
    EXPECT_EQ(I32(*bytes, 40), 0);
    EXPECT_EQ(I16(*bytes, 44), 10);
    EXPECT_EQ(I16(*bytes, 46), 16);
    EXPECT_EQ(I16(*bytes, 48), 2);
    EXPECT_EQ(I16(*bytes, 50), 8);  // "A\0s1\0" + "\0x\0"
    EXPECT_EQ(I16(*bytes, 52), 2);
    EXPECT_EQ(I32(*bytes, 54), 11);
    EXPECT_EQ(I16(*bytes, 58), 0);  // name
    EXPECT_EQ(I16(*bytes, 60), 2);  // story
    EXPECT_EQ(I32(*bytes, 62), 12);
    EXPECT_EQ(I16(*bytes, 66), 5);
    EXPECT_EQ(I16(*bytes, 68), 6);
    EXPECT_EQ(std::string(bytes->begin() + 70, bytes->end()), std::string("A\0s1\0\0x\0", 8));

    TaskLogMessageInput bare;
    bare.ids = {5};
    bare.count = 1;
    EXPECT_EQ(BuildTaskLogMessage(bare, reason)->size(), 44u);
}

}  // namespace
}  // namespace orvane::hostprog
