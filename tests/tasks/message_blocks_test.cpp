// The text blocks of messages 87 and 91: what each acceptance and rejection
// rule does to the client's tables, to the task log window and to the
// debug log, at the boundaries.
#include <functional>
#include <string>
#include <vector>

#include "client/StateView.h"
#include "tests/tasks/TaskTestSupport.h"

namespace orvane::test {
namespace {

// Expected records by id; nullopt: the id is not found.
using Sentences = std::vector<std::pair<int32_t, std::optional<std::string>>>;

// A message 87 of zero pages followed by raw block bytes.
Bytes WithBlock(const Bytes& block)
{
    return Concat(TalkMessage({}), block);
}

struct SentenceCase {
    const char* name;
    std::function<Bytes()> message;
    Sentences expected;
    size_t size;       // records in the table afterwards
    int formatErrors;  // 初始化说话语句格式出错
    int entryErrors;   // 初始你任务日志条　数据格式不对
};

const Sentences kOld = {{7, "old"}};

BlockSpec TwoSentences()
{
    return SentenceBlock({{1, "one"}, {2, "two"}});
}

// clang-format off
const SentenceCase kSentenceCases[] = {
    {"549 bytes carry no block", [] { return Bytes(549, 0); }, kOld, 1, 0, 0},
    {"549 bytes whose tail looks like a header carry no block",
     [] {
         Bytes m = WithBlock(SentenceBlock({}).Encode());
         m.pop_back();
         return m;
     },
     kOld, 1, 0, 0},
    {"550 bytes of an empty block empty the table",
     [] { return WithBlock(SentenceBlock({}).Encode()); }, {{7, std::nullopt}}, 0, 0, 0},
    {"a well-formed block replaces the table",
     [] { return WithBlock(TwoSentences().Encode()); },
     {{1, "one"}, {2, "two"}, {7, std::nullopt}}, 2, 0, 0},
    {"header size 9 is ignored silently",
     [] {
         BlockSpec b = TwoSentences();
         b.headerSize = 9;
         return WithBlock(b.Encode());
     },
     kOld, 1, 0, 0},
    {"one byte too many is ignored silently",
     [] { return Concat(WithBlock(TwoSentences().Encode()), {0}); }, kOld, 1, 0, 0},
    {"one byte too few is ignored silently",
     [] {
         Bytes m = WithBlock(TwoSentences().Encode());
         m.pop_back();
         return m;
     },
     kOld, 1, 0, 0},
    {"kind 0 is ignored silently",
     [] {
         BlockSpec b = TwoSentences();
         b.kind = 0;
         return WithBlock(b.Encode());
     },
     kOld, 1, 0, 0},
    {"kind 2 is ignored silently",
     [] {
         BlockSpec b = TwoSentences();
         b.kind = 2;
         return WithBlock(b.Encode());
     },
     kOld, 1, 0, 0},
    {"a count that does not match the index is logged and ignored",
     [] {
         BlockSpec b = TwoSentences();
         b.entryCount = 3;
         return WithBlock(b.Encode());
     },
     kOld, 1, 1, 0},
    {"a negative index size is ignored silently even when the sum fits",
     [] {
         BlockSpec b = TwoSentences();
         // index -8 and text +8 keep 540 + 10 + index + text equal to the length
         b.indexSize = -8;
         b.textSize = static_cast<int16_t>(b.text.size() + 16 + 8);
         return WithBlock(b.Encode());
     },
     kOld, 1, 0, 0},
    {"a negative text size is ignored silently even when the sum fits",
     [] {
         BlockSpec b = TwoSentences();
         b.index.resize(b.index.size() + 16, 0);
         b.indexSize = static_cast<int16_t>(b.index.size() + b.text.size() + 1);
         b.entryCount = static_cast<int16_t>(*b.indexSize >> 3);
         b.textSize = -1;
         return WithBlock(b.Encode());
     },
     kOld, 1, 0, 0},
    {"an offset equal to the text size gives an empty text",
     [] {
         BlockSpec b = TwoSentences();
         b.AddSentence(3, static_cast<int32_t>(b.text.size()));
         return WithBlock(b.Encode());
     }, {{1, "one"}, {3, ""}}, 3, 0, 0},
    {"an offset one past the text size skips that entry alone",
     [] {
         BlockSpec b = SentenceBlock({{1, "one"}});
         const int32_t three = b.AddText("three");
         b.AddSentence(2, static_cast<int32_t>(b.text.size()) + 1);
         b.AddSentence(3, three);
         return WithBlock(b.Encode());
     }, {{1, "one"}, {2, std::nullopt}, {3, "three"}}, 2, 0, 1},
    {"a negative offset skips that entry alone",
     [] {
         BlockSpec b = SentenceBlock({{1, "one"}});
         b.AddSentence(2, -1);
         return WithBlock(b.Encode());
     }, {{1, "one"}, {2, std::nullopt}}, 1, 0, 1},
    {"a text without its zero byte ends at the end of the message",
     [] {
         BlockSpec b = SentenceBlock({{1, "one"}});
         b.AddSentence(2, static_cast<int32_t>(b.text.size()));
         b.text.insert(b.text.end(), {'t', 'a', 'i', 'l'});
         return WithBlock(b.Encode());
     }, {{1, "one"}, {2, "tail"}}, 2, 0, 0},
    {"two sentences of one id are both kept; the first is found",
     [] {
         return WithBlock(SentenceBlock({{4, "first"}, {4, "second"}}).Encode());
     }, {{4, "first"}}, 2, 0, 0},
    {"an index with spare bytes after its entries is read",
     [] {
         BlockSpec b = SentenceBlock({{1, "one"}});
         b.index.insert(b.index.end(), {0xEE, 0xEE, 0xEE, 0xEE});
         return WithBlock(b.Encode());
     }, {{1, "one"}}, 1, 0, 0},
};
// clang-format on

class MessageBlockTest : public TaskMessageTest {};

TEST_F(MessageBlockTest, TalkSentenceBlock)
{
    TalkSentenceTable& table = StateView::Sentences(*Client());
    for (const SentenceCase& c : kSentenceCases) {
        SCOPED_TRACE(c.name);
        table.Clear();
        table.Append(7, "old");
        const Bytes message = c.message();
        DeliverTalk(message);
        EXPECT_EQ(table.Size(), c.size);
        for (const auto& [id, text] : c.expected) {
            if (text)
                EXPECT_STREQ(table.Find(id), text->c_str()) << "id " << id;
            else
                EXPECT_EQ(table.Find(id), nullptr) << "id " << id;
        }
        const std::vector<std::string> prints = TakePrints();
        EXPECT_EQ(std::count(prints.begin(), prints.end(), kSentenceFormatError), c.formatErrors);
        EXPECT_EQ(std::count(prints.begin(), prints.end(), kTaskLogFormatError), c.entryErrors);
        // The pages of the message are handled whatever became of its block.
        EXPECT_EQ(
            std::count(prints.begin(), prints.end(), "CTaskObserver::OnRefreshTaskList  ...... ok"),
            1);
    }
}

struct LogCase {
    const char* name;
    std::function<Bytes()> message;
    std::vector<LogEntry> table;  // the whole table afterwards, by FindName/FindStory
    std::vector<int32_t> absent;  // ids that must not be found
    size_t size;
    bool handedOn;
    int errors;
    std::vector<LogEntry> before = {{5, "oldName", "oldStory"}};
};

const std::vector<int32_t> kIds = {5, 6};
const LogEntry kOldEntry = {5, "oldName", "oldStory"};

Bytes LogMessage(const BlockSpec& b)
{
    return Concat(TaskListBytes(kIds), b.Encode());
}

BlockSpec Entries(int16_t kind)
{
    return TaskLogBlock(kind, {{8, "eight", "story8"}, {9, "nine", "story9"}});
}

// clang-format off
const LogCase kLogCases[] = {
    {"44 bytes go on unchanged", [] { return TaskListBytes(kIds); }, {kOldEntry}, {}, 1, true, 0},
    {"43 bytes are rejected", [] { return Bytes(43, 1); }, {kOldEntry}, {}, 1, false, 1},
    {"45 bytes are rejected", [] { return Bytes(45, 1); }, {kOldEntry}, {}, 1, false, 1},
    {"50 bytes are rejected", [] { return Bytes(50, 1); }, {kOldEntry}, {}, 1, false, 1},
    {"53 bytes are rejected",
     [] {
         Bytes m = LogMessage(TaskLogBlock(kKindTaskLogAll, {}));
         m.pop_back();
         return m;
     }, {kOldEntry}, {}, 1, false, 1},
    {"54 bytes of an empty kind 2 block empty the table",
     [] { return LogMessage(TaskLogBlock(kKindTaskLogAll, {})); }, {}, {5}, 0, true, 0},
    {"54 bytes of kind 4 go on and keep the table",
     [] { return LogMessage(TaskLogBlock(kKindTaskLogRefresh, {})); }, {kOldEntry}, {}, 1, true, 0},
    {"header size 11 is rejected",
     [] {
         BlockSpec b = Entries(kKindTaskLogAll);
         b.headerSize = 11;
         return LogMessage(b);
     }, {kOldEntry}, {}, 1, false, 1},
    {"a length one byte over is rejected",
     [] { return Concat(LogMessage(Entries(kKindTaskLogAll)), {0}); },
     {kOldEntry}, {}, 1, false, 1},
    {"a negative index size is rejected even when the sum fits",
     [] {
         BlockSpec b = Entries(kKindTaskLogAll);
         b.indexSize = -16;
         b.textSize = static_cast<int16_t>(b.text.size() + 32);
         return LogMessage(b);
     }, {kOldEntry}, {}, 1, false, 1},
    {"a text size beyond the message is rejected",
     [] {
         BlockSpec b = Entries(kKindTaskLogAll);
         b.textSize = static_cast<int16_t>(b.text.size() + 1);
         return LogMessage(b);
     }, {kOldEntry}, {}, 1, false, 1},
    {"kind 2 with a count mismatch is rejected",
     [] {
         BlockSpec b = Entries(kKindTaskLogAll);
         b.entryCount = 1;
         return LogMessage(b);
     }, {kOldEntry}, {}, 1, false, 1},
    {"kind 2 replaces the table",
     [] { return LogMessage(Entries(kKindTaskLogAll)); },
     {{8, "eight", "story8"}, {9, "nine", "story9"}}, {5}, 2, true, 0},
    {"kind 2 with text size 0 empties the table and adds nothing",
     [] {
         BlockSpec b;
         b.kind = kKindTaskLogAll;
         b.AddLogEntry(8, 0, 0);
         return LogMessage(b);
     }, {}, {5, 8}, 0, true, 0},
    {"kind 2 skips an entry with an offset one past the text size",
     [] {
         BlockSpec b = Entries(kKindTaskLogAll);
         b.AddLogEntry(10, 0, static_cast<int32_t>(b.text.size()) + 1);
         b.AddLogEntry(11, static_cast<int32_t>(b.text.size()), 0);
         return LogMessage(b);
     }, {{8, "eight", "story8"}, {9, "nine", "story9"}, {11, "", "eight"}}, {5, 10}, 3, true, 1},
    {"kind 2 skips an entry with a negative name offset",
     [] {
         BlockSpec b = Entries(kKindTaskLogAll);
         b.AddLogEntry(10, -1, 0);
         return LogMessage(b);
     }, {{8, "eight", "story8"}, {9, "nine", "story9"}}, {5, 10}, 2, true, 1},
    {"kind 3 adds to the table",
     [] { return LogMessage(Entries(kKindTaskLogAdd)); },
     {kOldEntry, {8, "eight", "story8"}, {9, "nine", "story9"}}, {}, 3, true, 0},
    {"kind 3 stops at the first bad entry and is not handed on",
     [] {
         BlockSpec b = TaskLogBlock(kKindTaskLogAdd, {{8, "eight", "story8"}});
         b.AddLogEntry(10, 0, static_cast<int32_t>(b.text.size()) + 1);
         b.AddLogEntry(9, 0, 0);
         return LogMessage(b);
     },
     {kOldEntry, {8, "eight", "story8"}}, {9, 10}, 2, false, 1},
    {"kind 3 with a count mismatch is rejected",
     [] {
         BlockSpec b = Entries(kKindTaskLogAdd);
         b.entryCount = 3;
         return LogMessage(b);
     }, {kOldEntry}, {8}, 1, false, 1},
    {"kind 4 reads nothing, whatever its count",
     [] {
         BlockSpec b = Entries(kKindTaskLogRefresh);
         b.entryCount = 5;
         return LogMessage(b);
     }, {kOldEntry}, {8}, 1, true, 0},
    {"kind 5 does nothing, silently",
     [] { return LogMessage(Entries(5)); }, {kOldEntry}, {8}, 1, false, 0},
    {"kind 2 splits the story of a large id into story and name",
     [] {
         return LogMessage(
             TaskLogBlock(kKindTaskLogAll, {{16777216, "unused", "desc\r\n\r\n\r\nBig"}}));
     }, {{16777216, "Big", "desc"}}, {5}, 1, true, 0},
    {"kind 3 with a large id and no separator removes the old record",
     [] {
         return LogMessage(TaskLogBlock(kKindTaskLogAdd, {{16777300, "n", "no separator"}}));
     }, {kOldEntry}, {16777300}, 1, true, 0,
     {kOldEntry, {16777300, "bigName", "bigStory"}}},
};
// clang-format on

TEST_F(MessageBlockTest, TaskLogBlock)
{
    TaskLogTable& table = StateView::TaskLog(*Client());
    for (const LogCase& c : kLogCases) {
        SCOPED_TRACE(c.name);
        table.Clear();
        for (const LogEntry& e : c.before)
            table.Add(e.id, e.name.c_str(), e.story.c_str());
        logDlg->received.clear();
        const Bytes message = c.message();
        DeliverLog(message);

        EXPECT_EQ(table.Size(), c.size);
        for (const LogEntry& e : c.table) {
            EXPECT_STREQ(table.FindName(e.id), e.name.c_str()) << "id " << e.id;
            EXPECT_STREQ(table.FindStory(e.id), e.story.c_str()) << "id " << e.id;
        }
        for (int32_t id : c.absent)
            EXPECT_EQ(table.FindName(id), nullptr) << "id " << id;
        if (c.handedOn) {
            ASSERT_EQ(logDlg->received.size(), 1u);
            EXPECT_EQ(logDlg->received[0].first, kCmdAddLine);
            EXPECT_EQ(logDlg->received[0].second, message);
        } else {
            EXPECT_TRUE(logDlg->received.empty());
        }
        EXPECT_EQ(CountPrints(kTaskLogFormatError), c.errors);
    }
}

TEST_F(MessageBlockTest, TaskLogWithoutWindowStillFillsTheTable)
{
    StateView::SetLogDlg(*Client(), nullptr);
    DeliverLog(LogMessage(Entries(kKindTaskLogAll)));
    EXPECT_STREQ(StateView::TaskLog(*Client()).FindName(8), "eight");
    EXPECT_STREQ(Client()->GetTaskDesc(9), "story9");
}

TEST_F(MessageBlockTest, NullTaskLogIsRejected)
{
    host.registry.Deliver(CTaskObserver::kLogMsgID, nullptr, 44);
    EXPECT_TRUE(logDlg->received.empty());
    EXPECT_EQ(CountPrints(kTaskLogFormatError), 1);
}

}  // namespace
}  // namespace orvane::test
