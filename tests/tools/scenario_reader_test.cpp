// The scenario reader: every fault a scenario line can have is refused with a
// message that names it, and the lines it accepts become the right ops.
#include <gtest/gtest.h>

#include <string>

#include "tools/hostlib/Scenario.h"

namespace orvane::hostprog {
namespace {

TEST(ScenarioReaderTest, RefusesFaultyLinesWithAClearMessage)
{
    const struct {
        const char* line;
        const char* fault;  // a part of the message
    } cases[] = {
        // Not a JSON object with a known op.
        {"{\"op\": \"create\"", "bad JSON"},
        {"create", "bad JSON"},
        {"[1, 2]", "must be a JSON object, not an array"},
        {"{\"window\": 163}", "no \"op\" key"},
        {"{\"op\": 5}", "\"op\" must be a string, not an integer"},
        {"{\"op\": \"clik\"}", "unknown op \"clik\""},
        {"{\"op\": \"Create\"}", "unknown op \"Create\""},
        {"{\"op\": \"create\", \"extra\": 1}", "op \"create\" has no key \"extra\""},
        {"{\"op\": \"advance\", \"msx\": 5}", "has no key \"msx\" (its keys: \"ms\")"},
        // Missing keys and wrong types.
        {"{\"op\": \"advance\"}", "op \"advance\" needs the key \"ms\""},
        {"{\"op\": \"advance\", \"ms\": \"500\"}", "\"ms\" must be an integer, not a string"},
        {"{\"op\": \"advance\", \"ms\": 1.5}", "not a number with a fraction"},
        {"{\"op\": \"advance\", \"ms\": true}", "not a boolean"},
        {"{\"op\": \"dump\"}", "needs the key \"window\""},
        {"{\"op\": \"click\", \"window\": 163}", "needs the key \"child\""},
        {"{\"op\": \"note\", \"text\": 5}", "\"text\" must be a string"},
        {"{\"op\": \"file\", \"name\": null}", "\"name\" must be a string, not null"},
        {"{\"op\": \"call\"}", "needs the key \"fn\""},
        {"{\"op\": \"call\", \"fn\": \"GetTaskName\", \"args\": 5}", "\"args\" must be an array"},
        // Numbers out of range.
        {"{\"op\": \"advance\", \"ms\": -1}", "between 0 and 86400000 (it is -1)"},
        {"{\"op\": \"advance\", \"ms\": 86400001}", "between 0 and 86400000"},
        {"{\"op\": \"click-task\", \"index\": 10}", "between 0 and 9 (it is 10)"},
        {"{\"op\": \"confirm\", \"answer\": 2147483648}", "between -2147483648 and 2147483647"},
        {"{\"op\": \"server\", \"msg\": 18446744073709551615, \"hex\": \"\"}", "must be between"},
        {"{\"op\": \"talk\", \"key\": \"0000000000000000\", \"pages\": [], \"page_count\": 40000}",
         "between -32768 and 32767"},
        // Unknown windows.
        {"{\"op\": \"dump\", \"window\": 170}", "unknown window 170"},
        {"{\"op\": \"click-link\", \"window\": 215, \"link\": 1}", "unknown window 215"},
        {"{\"op\": \"destroy\", \"window\": -1}", "unknown window -1"},
        // Hex.
        {"{\"op\": \"server\", \"msg\": 87, \"hex\": \"abc\"}", "odd number of hex digits (3)"},
        {"{\"op\": \"server\", \"msg\": 87, \"hex\": \"0g\"}", "'g' at position 2 is not a hex"},
        {"{\"op\": \"server\", \"msg\": 87, \"hex\": \"00-11\"}", "'-' at position 3"},
        {"{\"op\": \"talk\", \"key\": \"01020304\", \"pages\": []}",
         "16 hex digits (8 bytes), not 8"},
        {"{\"op\": \"talk\", \"key\": \"0102030405060708x\", \"pages\": []}", "not a hex digit"},
        // Too many pages, options, ids; malformed parts of the messages.
        {"{\"op\": \"talk\", \"key\": \"0000000000000000\", \"pages\": "
         "[{\"task\":0},{\"task\":0},{\"task\":0},{\"task\":0},{\"task\":0},{\"task\":0},"
         "{\"task\":0}]}",
         "7 pages; message 87 holds at most 6"},
        {"{\"op\": \"talk\", \"key\": \"0000000000000000\", \"pages\": [{\"task\": 1, \"options\": "
         "[[1,1],[1,1],[1,1],[1,1],[1,1],[1,1],[1,1],[1,1],[1,1],[1,1],[1,1]]}]}",
         "11 options; a page holds at most 10"},
        {"{\"op\": \"talk\", \"key\": \"0000000000000000\", \"pages\": [{\"options\": []}]}",
         "page 1 needs the key \"task\""},
        {"{\"op\": \"talk\", \"key\": \"0000000000000000\", \"pages\": [{\"task\": 1, \"opts\": "
         "[]}]}",
         "page 1 has no key \"opts\""},
        {"{\"op\": \"talk\", \"key\": \"0000000000000000\", \"pages\": [{\"task\": 1, \"options\": "
         "[[1]]}]}",
         "page 1 option 1 [link, resid] must be an array of 2"},
        {"{\"op\": \"talk\", \"key\": \"0000000000000000\", \"pages\": [], \"sentences\": [[1, "
         "2]]}",
         "sentence 1 text must be a string"},
        {"{\"op\": \"tasklog\", \"ids\": [1,2,3,4,5,6,7,8,9,10,11]}",
         "11 ids; the task list holds"},
        {"{\"op\": \"tasklog\", \"ids\": [1], \"kind\": 5}", "\"kind\" must be 2 (the whole list)"},
        {"{\"op\": \"tasklog\", \"ids\": [1], \"entries\": []}", "need a \"kind\""},
        {"{\"op\": \"tasklog\", \"ids\": [1], \"kind\": 2, \"entries\": [[1, \"a\"]]}",
         "entry 1 [id, name, story] must be an array of 3"},
        {"{\"op\": \"tasklog\", \"ids\": [\"1\"]}", "id 1 must be an integer"},
        // Calls that do not fit the operation.
        {"{\"op\": \"call\", \"fn\": \"GetTaskNames\", \"args\": [1]}",
         "ITaskClient has no operation \"GetTaskNames\""},
        {"{\"op\": \"call\", \"fn\": \"GetTaskName\"}", "takes 1 argument(s), not 0"},
        {"{\"op\": \"call\", \"fn\": \"MoveTalkWnd\", \"args\": [1, 2, 3]}", "not 3"},
        {"{\"op\": \"call\", \"fn\": \"SetTalkWndPos\", \"args\": [[1, 2, 3]]}",
         "must be a rectangle [left, top, right, bottom], not an array of 3"},
        {"{\"op\": \"call\", \"fn\": \"CreateClientTalkWnd\", \"args\": [163, \"me\"]}",
         "must be \"host\" or null"},
        {"{\"op\": \"call\", \"fn\": \"UpdateTaskList\", \"args\": []}", "1 to 11 numbers, not 0"},
        {"{\"op\": \"call\", \"fn\": \"UpdateTaskList\", \"args\": [1,2,3,4,5,6,7,8,9,10,11,12]}",
         "not 12"},
        // Texts the module could not take, files outside the work folder.
        {"{\"op\": \"note\", \"text\": \"\\ud83d\\ude00\"}",
         "GBK (code page 936) cannot represent"},
        {"{\"op\": \"file\", \"name\": \"/etc/passwd\"}", "must be relative to the work folder"},
        {"{\"op\": \"file\", \"name\": \"scp/../../x\"}", "no \"..\""},
        {"{\"op\": \"file\", \"name\": \"\"}", "must not be empty"},
        {"{\"op\": \"snapshot\", \"path\": \"\"}", "must name a file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const LineResult r = ReadScenarioLine(c.line, 7);
        ASSERT_EQ(r.kind, LineResult::Kind::Error);
        EXPECT_NE(r.text.find(c.fault), std::string::npos) << r.text;
    }
}

// Lines built to exhaust the reader: deep nesting and hidden zero bytes are
// refused up front; brackets inside texts are only text.
TEST(ScenarioReaderTest, RefusesLinesBuiltToExhaustTheReader)
{
    const auto call = [](const std::string& args) {
        return "{\"op\": \"call\", \"fn\": \"GetTaskName\", \"args\": " + args + "}";
    };
    const struct {
        std::string line;
        const char* fault;  // empty: accepted
    } cases[] = {
        {call(std::string(100000, '[') + std::string(100000, ']')), "nested deeper than 64"},
        {call(std::string(63, '[') + std::string(63, ']')), "must be an integer, not an array"},
        {std::string("{\"op\": \"create\"}") + '\0' + "{\"op\": \"close\"}",
         "zero byte at column 17"},
        {"{\"op\": \"note\", \"text\": \"" + std::string(100, '[') + "\\\"\"}", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 80));
        const LineResult r = ReadScenarioLine(c.line, 3);
        if (*c.fault == '\0') {
            EXPECT_NE(r.kind, LineResult::Kind::Error) << r.text;
            continue;
        }
        ASSERT_EQ(r.kind, LineResult::Kind::Error);
        EXPECT_NE(r.text.find(c.fault), std::string::npos) << r.text;
    }
}

TEST(ScenarioReaderTest, SkipsBlankLinesAndKeepsComments)
{
    EXPECT_EQ(ReadScenarioLine("", 1).kind, LineResult::Kind::Blank);
    EXPECT_EQ(ReadScenarioLine("   \t\r", 2).kind, LineResult::Kind::Blank);
    const LineResult comment = ReadScenarioLine("  # The NPC greets you\r", 3);
    EXPECT_EQ(comment.kind, LineResult::Kind::Comment);
    EXPECT_EQ(comment.text, "The NPC greets you");
    // A byte-order mark on the first line and a CR line end are harmless.
    const LineResult op = ReadScenarioLine("\xEF\xBB\xBF{\"op\": \"create\"}\r", 1);
    ASSERT_EQ(op.kind, LineResult::Kind::Op);
    EXPECT_EQ(op.op.kind, OpKind::Create);
    EXPECT_EQ(op.op.line, 1);
}

TEST(ScenarioReaderTest, TurnsTextsIntoGbkAndArgumentsIntoTheirKinds)
{
    const LineResult note = ReadScenarioLine("{\"op\": \"note\", \"text\": \"闲聊\"}", 4);
    ASSERT_EQ(note.kind, LineResult::Kind::Op);
    EXPECT_EQ(note.op.text, "\xCF\xD0\xC1\xC4");  // 闲聊

    const LineResult call = ReadScenarioLine(
        "{\"op\": \"call\", \"fn\": \"AddTalkLine\", \"args\": [\"闲聊\", -3]}", 5);
    ASSERT_EQ(call.kind, LineResult::Kind::Op);
    EXPECT_EQ(call.op.fnId, ClientFn::AddTalkLine);
    ASSERT_EQ(call.op.args.size(), 2u);
    EXPECT_EQ(call.op.args[0].kind, CallArg::Kind::Text);
    EXPECT_EQ(call.op.args[0].text, "\xCF\xD0\xC1\xC4");
    EXPECT_EQ(call.op.args[1].number, -3);

    const LineResult list = ReadScenarioLine(
        "{\"op\": \"call\", \"fn\": \"UpdateTaskList\", \"args\": [3, 11, 0, 12]}", 6);
    ASSERT_EQ(list.kind, LineResult::Kind::Op);
    EXPECT_EQ(list.op.args[0].kind, CallArg::Kind::TaskList);
    EXPECT_EQ(list.op.args[0].list[0], 3);
    EXPECT_EQ(list.op.args[0].list[3], 12);
    EXPECT_EQ(list.op.args[0].list[10], 0);

    const LineResult nulls = ReadScenarioLine(
        "{\"op\": \"call\", \"fn\": \"CreateClientTalkWnd\", \"args\": [174, null]}", 7);
    ASSERT_EQ(nulls.kind, LineResult::Kind::Op);
    EXPECT_EQ(nulls.op.args[1].kind, CallArg::Kind::NullCallback);

    // The rectangle to fill may be left out: it starts as zeros.
    const LineResult rect = ReadScenarioLine("{\"op\": \"call\", \"fn\": \"GetLogWndRect\"}", 8);
    ASSERT_EQ(rect.kind, LineResult::Kind::Op);
    ASSERT_EQ(rect.op.args.size(), 1u);
    EXPECT_EQ(rect.op.args[0].rect, (std::array<int32_t, 4>{0, 0, 0, 0}));
}

TEST(ScenarioReaderTest, ReadsHexWithSpacesBetweenBytes)
{
    std::string reason;
    EXPECT_EQ(ParseHex("10 00 05 00 57 00", reason), (std::vector<uint8_t>{16, 0, 5, 0, 87, 0}));
    EXPECT_EQ(ParseHex("", reason), std::vector<uint8_t>());
    EXPECT_EQ(ParseHex("aBcD", reason), (std::vector<uint8_t>{0xAB, 0xCD}));
    EXPECT_FALSE(ParseHex("1 0 0", reason).has_value());
    EXPECT_EQ(ToHex(std::vector<uint8_t>{0x00, 0xFF, 0x5C}), "00ff5c");
}

}  // namespace
}  // namespace orvane::hostprog
