// What orvane-inspect says about messages whose outcome is legal but
// surprising, one row a message: the verdict, a note or loss it must give,
// and the sequencer's path. Then a scenario golden: the readable report of
// every message of tests/inspect/notes.jsonl, in context.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "testkit/ModuleActions.h"
#include "tools/hostlib/Scenario.h"
#include "tools/orvane-inspect/MessageReport.h"
#include "tools/orvane-inspect/TreeText.h"

namespace orvane::inspect {
namespace {

const char kTalk[] =
    R"({"op": "talk", "key": "0102030405060708", "pages": [{"task": 1001, "options": [[1, 9001], [2, 9002]]}], "sentences": [[9001, "a"], [9002, "b"]]})";
const char kLog[] =
    R"({"op": "tasklog", "ids": [1001, 1002], "kind": 2, "entries": [[1001, "n1", "s1"], [1002, "n2", "s2"]]})";

std::vector<uint8_t> BytesOf(const std::string& op)
{
    const hostprog::LineResult r = hostprog::ReadScenarioLine(op, 1);
    EXPECT_EQ(r.kind, hostprog::LineResult::Kind::Op) << r.text;
    return r.op.bytes;
}

struct Case {
    const char* name;
    int32_t msg;
    std::string op;
    size_t patchAt;     // where patch goes; SIZE_MAX: appended
    std::string patch;  // bytes
    bool accepted;
    const char* says;        // in a note or a loss
    const char* finalState;  // the sequencer's, for 87
};

constexpr size_t kAppend = SIZE_MAX;

std::string Said(const Json& report)
{
    std::string all;
    for (const char* key : {"notes", "lost"})
        for (const Json& s : report[key])
            all += s.get<std::string>() + "\n";
    return all;
}

class MessageReportGolden : public ::testing::Test {
protected:
    ~MessageReportGolden() override { fuzz::ResetModule(); }

    Json ReportOn(int32_t msg, const std::vector<uint8_t>& bytes)
    {
        fuzz::ResetModule();
        Inspector inspector;
        inspector.StartIn(folder.String(), folder.String());
        Json report = ReportOnMessage(inspector, msg, bytes);
        fuzz::ResetModule();
        return report;
    }

    fuzz::GameFolder folder{ORVANE_SAMPLE_DIR};
};

TEST_F(MessageReportGolden, SurprisingOutcomes)
{
    const std::string twoChats =
        R"({"op": "talk", "key": "0102030405060708", "pages": [{"task": 0, "options": [[1, 9001]]}, {"task": 0, "options": [[2, 9002]]}]})";
    const std::string oneItemMenu =
        R"({"op": "talk", "key": "0102030405060708", "pages": [{"task": 1002, "options": [[1, 9001], [2, 9002]]}, {"task": 0}]})";
    const std::string bigWithoutSeparator =
        R"({"op": "tasklog", "ids": [16777216], "kind": 3, "entries": [[16777216, "n", "no separator"]]})";
    const std::string nine =
        R"({"op": "talk", "key": "0102030405060708", "pages": [{"task": 1001, "options": [[0, 1]]}], "page_count": 9})";
    const std::string edgeLinks =
        R"({"op": "talk", "key": "0102030405060708", "pages": [{"task": 0, "options": [[-2147483648, 1], [2147483647, 2]]}]})";
    const std::string missingAnswer =
        R"({"op": "talk", "key": "0102030405060708", "pages": [{"task": 1001, "options": [[1, 9001], [2, 9999]]}], "sentences": [[9001, "a"]]})";
    std::string tenAnswers =
        R"({"op": "talk", "key": "0102030405060708", "pages": [{"task": 1001, "options": [)";
    for (int i = 1; i <= 10; ++i)
        tenAnswers += (i > 1 ? ", [" : "[") + std::to_string(i) + ", 5002]";
    tenAnswers += "]}]}";
    const std::string threeIds = R"({"op": "tasklog", "ids": [1001, 1002, 1003], "count": 2})";
    const Case cases[] = {
        {"sentences accepted", 87, kTalk, 0, "", true, "", "TALK_IDLE"},
        // Warnings of what the player will miss: notes that leave the verdict alone.
        {"an answer without text", 87, missingAnswer, 0, "", true,
         "Warning: page 0's answer with link 2 (sentence 9999) has no text", "TALK_IDLE"},
        {"a text offset equal to the text size", 87, kTalk, 562, std::string("\x04\x00\x00\x00", 4),
         true, "has an empty text (its offset 4 equals the block's text size)", "TALK_IDLE"},
        {"the block after the used page", 87, kTalk, 0, "", true,
         "a talk-sentence block (2 entries, text size 4) starts at byte 100", "TALK_IDLE"},
        {"ten answers", 87, tenAnswers, 0, "", true,
         "shows 7 of its 10 rows (112 of 160 pixels): lines 8 to 10 of 10 (3 links: 8, 9, 10)",
         "TALK_IDLE"},
        {"task list count below 0", 91, threeIds, 0, std::string("\xff\xff\xff\xff", 4), true,
         "count is -1, below 0", nullptr},
        {"task list count above 10", 91, threeIds, 0, std::string("\x0c\x00\x00\x00", 4), true,
         "count is 12, above 10", nullptr},
        {"task list count short of its ids", 91, threeIds, 0, "", true,
         "count is 2, but 1 non-zero id lies beyond the first 2 slots (1003)", nullptr},
        {"sentence block of kind 2", 87, kTalk, 548, std::string("\x02\x00", 2), false,
         "without a log line (kind 2)", "TALK_IDLE"},
        {"sentence header size 12", 87, kTalk, 540, std::string("\x0c\x00", 2), false,
         "without a log line (header size 12)", "TALK_IDLE"},
        {"sentence block one byte long", 87, kTalk, kAppend, std::string("\x00", 1), false,
         "without a log line (length long by one)", "TALK_IDLE"},
        {"sentence count off", 87, kTalk, 544, std::string("\x03\x00", 2), false,
         "rejected (entry count)", "TALK_IDLE"},
        {"sentence offset past the text", 87, kTalk, 562, std::string("\x09\x00\x00\x00", 4), false,
         "log line of the task log", "TALK_IDLE"},
        {"two chat pages while idle", 87, twoChats, 0, "", true, "opens empty", "TALK_IDLE"},
        {"menu of one item", 87, oneItemMenu, 0, "", false, "menu of 1 item", "TALK_AWAIT_CHOICE"},
        {"page count 9", 87, nine, 0, "", false, "page count 9", "TALK_NARRATION"},
        {"links at the edges of 32 bits", 87, edgeLinks, 0, "", true, "", "TALK_IDLE"},
        {"empty message 87", 87, "", 0, "", false, "ignored", nullptr},
        {"task log whole list", 91, kLog, 0, "", true, "", nullptr},
        {"kind 2 skips a bad entry", 91, kLog, 58, std::string("\xff\x7f", 2), false,
         "Kind 2 skips", nullptr},
        {"kind 3 stops at a bad entry", 91, kLog, 52,
         std::string("\x03\x00\x00\x00\x00\x00\xff\x7f", 8), false, "Kind 3 stops", nullptr},
        {"large id without separator", 91, bigWithoutSeparator, 0, "", false, "adds none", nullptr},
        {"message 91 of 50 bytes", 91, kLog, kAppend, "", false, "too short", nullptr},
        {"task-log kind 5", 91, kLog, 52, std::string("\x05\x00", 2), false, "kind 5 is ignored",
         nullptr},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = c.op.empty() ? std::vector<uint8_t>{} : BytesOf(c.op);
        if (std::string(c.name) == "message 91 of 50 bytes")
            bytes.resize(50);
        if (std::string(c.name) == "the block after the used page") {
            // Written straight after page 0, as if the empty slots were not there.
            std::vector<uint8_t> moved(bytes.begin(), bytes.begin() + 100);
            moved.insert(moved.end(), bytes.begin() + 540, bytes.end());
            bytes = std::move(moved);
        }
        if (c.patchAt == kAppend)
            bytes.insert(bytes.end(), c.patch.begin(), c.patch.end());
        else if (!c.patch.empty())
            std::copy(c.patch.begin(), c.patch.end(),
                      bytes.begin() + static_cast<ptrdiff_t>(c.patchAt));
        const Json report = ReportOn(c.msg, bytes);
        EXPECT_EQ(AcceptedAsSent(report), c.accepted) << c.name << "\n" << Said(report);
        if (*c.says != '\0') {
            EXPECT_NE(Said(report).find(c.says), std::string::npos) << c.name << "\n"
                                                                    << Said(report);
        }
        if (c.finalState != nullptr) {
            EXPECT_EQ(report["effects"]["sequencer"]["path"].back(), c.finalState) << c.name;
        }
    }
}

TEST_F(MessageReportGolden, ScenarioInContext)
{
    const std::string dir = ORVANE_SOURCE_DIR "/tests/inspect/";
    std::ifstream in(dir + "notes.jsonl", std::ios::binary);
    ASSERT_TRUE(in);
    fuzz::ResetModule();
    std::vector<Json> reports;
    std::string error;
    std::ostringstream text;
    {
        Inspector inspector;
        inspector.StartIn(folder.String(), folder.String());
        ASSERT_TRUE(ReportOnScenario(inspector, in, "notes.jsonl", reports, error)) << error;
        fuzz::ResetModule();
    }
    for (const Json& report : reports) {
        WriteReportText(text, report);
        text << "\n";
    }
    std::ifstream expected(dir + "notes.expected.txt", std::ios::binary);
    const std::string want((std::istreambuf_iterator<char>(expected)), {});
    if (text.str() != want) {
        std::ofstream(::testing::TempDir() + "notes.actual.txt", std::ios::binary) << text.str();
        FAIL() << "the report differs from tests/inspect/notes.expected.txt; see "
               << ::testing::TempDir() << "notes.actual.txt";
    }
}

}  // namespace
}  // namespace orvane::inspect
