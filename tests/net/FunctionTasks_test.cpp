// Function tasks: where the table's entries come from, how it is searched,
// and the server script call that a function task's deletion sends.
#include "net/FunctionTasks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "client/ModuleState.h"
#include "client/StateView.h"
#include "net/TaskWndCallback.h"
#include "tests/net/NetTestSupport.h"
#include "tests/support/ModuleFixture.h"

namespace {

using orvane::FunctionTaskMatch;
using orvane::g_FunctionTasks;
using orvane::StateView;

constexpr int32_t kFirst = 16777215;

void FillTable(const std::vector<std::pair<int32_t, std::string>>& entries)
{
    orvane::ClearFunctionTasks();
    for (size_t i = 0; i < entries.size(); ++i) {
        g_FunctionTasks[i].nID = entries[i].first;
        std::memcpy(g_FunctionTasks[i].szName, entries[i].second.data(),
                    std::min<size_t>(entries[i].second.size(), 10));
    }
}

std::vector<std::pair<int32_t, std::string>> FullTable(int32_t firstID)
{
    std::vector<std::pair<int32_t, std::string>> out;
    for (int32_t i = 0; i < kFunctionTaskCount; ++i)
        out.push_back({firstID + i, "s" + std::to_string(i)});
    return out;
}

TEST(FunctionTasks, Lookup)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int32_t, std::string>> table;
        int32_t id;
        FunctionTaskMatch match;
        int index;  // of the entry found
    };
    const Case cases[] = {
        {"empty table", {}, kFirst, FunctionTaskMatch::NotListed, -1},
        {"second entry",
         {{kFirst, "a"}, {kFirst + 1, "b"}},
         kFirst + 1,
         FunctionTaskMatch::Found,
         1},
        {"first of two equal ids",
         {{kFirst, "a"}, {kFirst, "b"}},
         kFirst,
         FunctionTaskMatch::Found,
         0},
        {"missing, free entries left",
         {{kFirst, "a"}},
         kFirst + 1,
         FunctionTaskMatch::NotListed,
         -1},
        {"a free entry ends the walk",
         {{kFirst, "a"}, {0, ""}, {kFirst + 2, "c"}},
         kFirst + 2,
         FunctionTaskMatch::NotListed,
         -1},
        {"full table, missing", FullTable(kFirst), kFirst + 10, FunctionTaskMatch::TableFull, -1},
        {"full table, last entry", FullTable(kFirst), kFirst + 9, FunctionTaskMatch::Found, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillTable(c.table);
        const FunctionTaskEntry* entry = nullptr;
        EXPECT_EQ(orvane::FindFunctionTask(c.id, &entry), c.match);
        EXPECT_EQ(entry, c.index < 0 ? nullptr : &g_FunctionTasks[c.index]);
    }
    orvane::ClearFunctionTasks();
}

class FunctionTaskTest : public orvane::test::ModuleFixture {};

// The call's fixed parts, at their offsets for a system name of N bytes.
void ExpectScriptCall(const std::vector<uint8_t>& p, const std::string& sysName,
                      const std::string& taskName)
{
    const size_t n = sysName.size();
    const size_t m = taskName.size();
    ASSERT_EQ(p.size(), 60 + n + m);
    auto textAt = [&](size_t offset, const std::string& text) {
        SCOPED_TRACE("offset " + std::to_string(offset));
        ASSERT_LE(offset + text.size() + 1, p.size());
        EXPECT_EQ(std::string(p.begin() + long(offset), p.begin() + long(offset + text.size())),
                  text);
        EXPECT_EQ(p[offset + text.size()], 0);
    };
    EXPECT_EQ(std::vector<uint8_t>(p.begin(), p.begin() + 6),
              orvane::test::Bytes({0x10, 0x00, 0x16, 0x00, 0x00, 0x00}));
    textAt(6, "Task_Mgr.py");
    EXPECT_EQ(p[18], 3);
    textAt(19, "funcflag");
    textAt(28, "quit");
    textAt(33, "tasksysname");
    textAt(45, sysName);
    textAt(46 + n, "taskshowname");
    textAt(59 + n, taskName);
}

TEST_F(FunctionTaskTest, ScriptCallLayout)
{
    struct Case {
        const char* name;
        std::string sysName;   // as stored in the slot (10 bytes fill it)
        const char* taskName;  // what the client's name lookup finds, or null
        std::string sentName;
    };
    const Case cases[] = {
        {"short names", "sysA", "Name", "Name"},
        {"one-byte system name", "x", "T", "T"},
        {"system name fills its slot", "0123456789", "Full", "Full"},
        {"GBK task name", "sys", "\xC8\xCE\xCE\xF1" /* 任务 */, "\xC8\xCE\xCE\xF1"},
        {"no task name sends it empty", "sysB", nullptr, ""},
        {"empty task name", "sysC", "", ""},
    };
    CreateClient();
    const int32_t id = kFirst + 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillTable({{kFirst, "other"}, {id, c.sysName}});
        StateView::TaskLog(*Client()).Clear();
        // Ids this large carry their name after the story in the task log.
        if (c.taskName != nullptr)
            StateView::TaskLog(*Client()).Add(
                id, "", (std::string("story\r\n\r\n\r\n") + c.taskName).c_str());
        host.sender.packets.clear();

        EXPECT_TRUE(Client()->WindowCallback()->OnEvent(172, 7, id, 0));
        ASSERT_EQ(host.sender.packets.size(), 1u);
        ExpectScriptCall(host.sender.packets[0], c.sysName, c.sentName);
    }
}

TEST_F(FunctionTaskTest, ExactBytes)
{
    CreateClient();
    FillTable({{kFirst, "sysA"}});
    StateView::TaskLog(*Client()).Add(kFirst, "Q", "story");
    ASSERT_TRUE(Client()->WindowCallback()->OnEvent(172, 7, kFirst, 0));
    ASSERT_EQ(host.sender.packets.size(), 1u);
    const char expected[] =
        "\x10\x00\x16\x00\x00\x00"
        "Task_Mgr.py\0\x03"
        "funcflag\0quit\0tasksysname\0sysA\0taskshowname\0Q";
    EXPECT_EQ(host.sender.packets[0], std::vector<uint8_t>(expected, expected + sizeof expected));
}

// A task name that cannot fit the 1024-byte buffer goes out empty, so the
// call still ends with its last value's zero.
TEST_F(FunctionTaskTest, OverlongTaskNameGoesOutEmpty)
{
    FillTable({{kFirst, "sys"}});
    const std::string longName(2000, 'n');
    orvane::g_pGlobalClient = host.Client();
    EXPECT_TRUE(orvane::SendFunctionTaskCall(g_FunctionTasks[0], longName.c_str()));
    ASSERT_EQ(host.sender.packets.size(), 1u);
    ExpectScriptCall(host.sender.packets[0], "sys", "");
}

TEST_F(FunctionTaskTest, ResultsWithoutSenderAndWithFullTable)
{
    CreateClient();
    FillTable(FullTable(kFirst));
    EXPECT_FALSE(Client()->WindowCallback()->OnEvent(172, 7, kFirst + 10, 0));
    EXPECT_TRUE(host.sender.packets.empty());

    // Found but no sender: handled, nothing sent, the call is in the buffer.
    host.DropSender();
    EXPECT_TRUE(Client()->WindowCallback()->OnEvent(172, 7, kFirst + 3, 0));
    EXPECT_TRUE(host.sender.packets.empty());
    const char head[] = "\x10\x00\x16\x00\x00\x00Task_Mgr.py";
    EXPECT_EQ(std::memcmp(orvane::g_ScriptCallBuffer, head, sizeof head), 0);
    EXPECT_EQ(std::memcmp(orvane::g_ScriptCallBuffer + 45, "s3", 3), 0);
}

// Entries come from the game folder's task script only.
TEST_F(FunctionTaskTest, LoadedFromTheTaskScript)
{
    std::string objects = R"([
        {"id": 100, "name": "ordinary", "attrs": {"function": "low"}},
        {"id": 16777214, "name": "just below", "attrs": {"function": "below"}},
        {"id": 16777215, "name": "first", "attrs": {"function": "sysFirst"}},
        {"id": 16777216, "name": "plain"},
        {"id": 16777217, "name": "too long", "attrs": {"function": "elevenBytes"}},
        {"id": 16777218, "name": "empty", "attrs": {"function": ""}},
        {"id": 16777219, "name": "ten", "attrs": {"function": "tenBytes10"}},
        {"id": 16777215, "name": "again", "attrs": {"function": "dup"}},
        {"id": 2000000000, "name": "nested", "children": [
            {"id": 2000000001, "name": "child", "attrs": {"function": "child"}}]})";
    for (int i = 0; i < 10; ++i)
        objects += R"(, {"id": )" + std::to_string(16777300 + i) + R"(, "attrs": {"function": "f)" +
                   std::to_string(i) + "\"}}";
    objects += "]";
    orvane::test::WriteTaskScript(work.Path(), objects);
    CreateClient();
    ASSERT_NE(StateView::TaskScript(*Client()), nullptr);

    struct Slot {
        int32_t id;
        const char name[11];
    };
    const Slot expected[kFunctionTaskCount] = {
        {16777215, "sysFirst"}, {16777219, "tenBytes10"}, {16777300, "f0"}, {16777301, "f1"},
        {16777302, "f2"},       {16777303, "f3"},         {16777304, "f4"}, {16777305, "f5"},
        {16777306, "f6"},       {16777307, "f7"},
    };
    for (int i = 0; i < kFunctionTaskCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(g_FunctionTasks[i].nID, expected[i].id);
        EXPECT_EQ(std::memcmp(g_FunctionTasks[i].szName, expected[i].name, 10), 0);
    }

    // The system name comes from the table, the shown name from the script.
    ASSERT_TRUE(Client()->WindowCallback()->OnEvent(172, 7, 16777219, 0));
    ASSERT_EQ(host.sender.packets.size(), 1u);
    ExpectScriptCall(host.sender.packets[0], "tenBytes10", "ten");
}

// Entries of an earlier client never outlive it: a game without declarations,
// or whose task script does not load, has none.
TEST_F(FunctionTaskTest, EmptyWithoutDeclarations)
{
    const struct {
        const char* name;
        bool script;
    } cases[] = {{"script without declarations", true}, {"no task script", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FillTable({{kFirst, "stale"}});
        if (c.script)
            orvane::test::WriteTaskScript(work.Path(),
                                          R"([{"id": 16777215, "name": "no function"}])");
        else
            std::filesystem::remove(work.Path() / "scp" / "taskClient.res");
        CreateClient();
        for (const FunctionTaskEntry& entry : g_FunctionTasks)
            EXPECT_EQ(entry.nID, 0);
        EXPECT_TRUE(Client()->WindowCallback()->OnEvent(172, 7, kFirst, 0));
        EXPECT_TRUE(host.sender.packets.empty());
        helper.Close();
    }

    orvane::LoadFunctionTasks(nullptr);
    EXPECT_EQ(g_FunctionTasks[0].nID, 0);
}

}  // namespace
