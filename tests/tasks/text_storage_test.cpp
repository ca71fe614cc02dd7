// What the text tables keep follows the bytes of a block, not how its
// entries refer to them: random blocks give the same answers as copying
// every text (the way the tables were first written), and the largest
// shared-text messages cost a bounded number of bytes and allocations.
// The global allocation functions of this program count while asked to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <random>

#include "tests/tasks/TaskTestSupport.h"

namespace {

bool g_bCounting = false;
size_t g_nAllocations = 0;
size_t g_nAllocated = 0;
long long g_nLive = 0;

// Each block remembers its size in front of it, so the live bytes are known.
constexpr size_t kHeader = alignof(std::max_align_t);

void* CountedAlloc(size_t size)
{
    auto* p = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (p == nullptr)
        throw std::bad_alloc();
    std::memcpy(p, &size, sizeof size);
    if (g_bCounting) {
        ++g_nAllocations;
        g_nAllocated += size;
    }
    g_nLive += static_cast<long long>(size);
    return p + kHeader;
}

void CountedFree(void* ptr)
{
    if (ptr == nullptr)
        return;
    auto* p = static_cast<unsigned char*>(ptr) - kHeader;
    size_t size = 0;
    std::memcpy(&size, p, sizeof size);
    g_nLive -= static_cast<long long>(size);
    std::free(p);
}

struct Cost {
    size_t allocations;
    size_t bytes;
};

template <typename F>
Cost Measure(F&& f)
{
    g_nAllocations = g_nAllocated = 0;
    g_bCounting = true;
    f();
    g_bCounting = false;
    return {g_nAllocations, g_nAllocated};
}

}  // namespace

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(size_t size)
{
    return CountedAlloc(size);
}
void* operator new[](size_t size)
{
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept
{
    CountedFree(p);
}
void operator delete[](void* p) noexcept
{
    CountedFree(p);
}
void operator delete(void* p, size_t) noexcept
{
    CountedFree(p);
}
void operator delete[](void* p, size_t) noexcept
{
    CountedFree(p);
}

namespace orvane::test {
namespace {

const int32_t kBig = TaskLogTable::kSplitTaskID;

// The tables as first written: every record a copy of its texts, every
// lookup a scan from the front.
struct CopyingModel {
    struct Record {
        int32_t id;
        std::string name, story;
    };
    std::vector<Record> records;

    void Add(int32_t id, const std::string& name, const std::string& story)
    {
        if (id < kBig) {
            records.push_back({id, name, story});
            return;
        }
        for (auto it = records.begin(); it != records.end(); ++it)
            if (it->id == id) {
                records.erase(it);
                break;
            }
        const size_t sep = story.find("\r\n\r\n\r\n");
        if (sep != std::string::npos)
            records.push_back({id, story.substr(sep + 6), story.substr(0, sep)});
    }
    const Record* Find(int32_t id) const
    {
        for (const Record& r : records)
            if (r.id == id)
                return &r;
        return nullptr;
    }
};

std::string TextAt(const Bytes& text, int32_t offset)
{
    std::string s;
    for (size_t i = static_cast<size_t>(offset); i < text.size() && text[i] != 0; ++i)
        s.push_back(static_cast<char>(text[i]));
    return s;
}

bool InRange(const Bytes& text, int32_t offset)
{
    return offset >= 0 && static_cast<size_t>(offset) <= text.size();
}

std::string Text(const char* s)
{
    return s != nullptr ? s : "<null>";
}

// Texts full of separators, overlapping ones and zeros, and offsets that
// land anywhere in them: inside names, on separators, at the very end.
TEST(TextStorage, RandomBlocksAnswerAsCopiesWould)
{
    std::mt19937 rng(20261209);
    const std::vector<int32_t> ids = {1, 2, 3, -7, kBig - 1, kBig, kBig + 1, kBig + 2, INT32_MAX};
    const char* pieces[] = {"a", "bc", "\r\n", "\r\n\r\n\r\n", "\r\n\r\n\r\n\r\n"};  // and zeros
    for (int round = 0; round < 3000; ++round) {
        TaskLogTable table;
        CopyingModel model;
        TalkSentenceTable sentences;
        CopyingModel sentenceModel;
        for (int message = 0; message < 3; ++message) {
            BlockSpec b;
            b.kind = rng() % 2 == 0 ? kKindTaskLogAll : kKindTaskLogAdd;
            const int n = static_cast<int>(rng() % 6);
            for (int p = 0; p < n; ++p) {
                const size_t which = rng() % 6;
                if (which == 5)
                    b.text.push_back(0);
                else
                    b.text.insert(b.text.end(), pieces[which],
                                  pieces[which] + std::strlen(pieces[which]));
            }
            const int size = static_cast<int>(b.text.size());
            const int entries = static_cast<int>(rng() % 8);
            for (int e = 0; e < entries; ++e) {
                const int32_t id = ids[rng() % ids.size()];
                const int32_t name = static_cast<int32_t>(rng() % (size + 3)) - 1;
                const int32_t story =
                    rng() % 3 == 0 ? name : static_cast<int32_t>(rng() % (size + 3)) - 1;
                b.AddLogEntry(id, name, story);
            }
            ApplyTaskLogMessage(Concat(TaskListBytes({}), b.Encode()), table);

            // The model reads the same entries by the block rules.
            if (b.kind == kKindTaskLogAll)
                model.records.clear();
            if (b.kind == kKindTaskLogAdd || size > 0) {
                for (size_t at = 0; at < b.index.size(); at += 8) {
                    const int32_t id = b.index[at] | b.index[at + 1] << 8 | b.index[at + 2] << 16 |
                                       b.index[at + 3] << 24;
                    const auto name = static_cast<int16_t>(b.index[at + 4] | b.index[at + 5] << 8);
                    const auto story = static_cast<int16_t>(b.index[at + 6] | b.index[at + 7] << 8);
                    if (!InRange(b.text, name) || !InRange(b.text, story)) {
                        if (b.kind == kKindTaskLogAdd)
                            break;
                        continue;
                    }
                    model.Add(id, TextAt(b.text, name), TextAt(b.text, story));
                }
            }

            // The same text area as a sentence block, each entry's story
            // offset as a sentence.
            BlockSpec s = b;
            s.kind = kKindTalkSentences;
            s.index.clear();
            sentenceModel.records.clear();
            for (size_t at = 0; at < b.index.size(); at += 8) {
                const int32_t id = b.index[at] | b.index[at + 1] << 8;
                const auto offset = static_cast<int16_t>(b.index[at + 6] | b.index[at + 7] << 8);
                s.AddSentence(id, offset);
                if (InRange(b.text, offset))
                    sentenceModel.records.push_back({id, "", TextAt(b.text, offset)});
            }
            LoadTalkSentences(Concat(Bytes(kTalkFixedSize, 0), s.Encode()), sentences);

            ASSERT_EQ(table.Size(), model.records.size()) << "round " << round;
            ASSERT_EQ(sentences.Size(), sentenceModel.records.size()) << "round " << round;
            for (int32_t id : ids) {
                const CopyingModel::Record* want = model.Find(id);
                ASSERT_EQ(Text(table.FindName(id)), want ? want->name : "<null>")
                    << "round " << round;
                ASSERT_EQ(Text(table.FindStory(id)), want ? want->story : "<null>")
                    << "round " << round;
                const CopyingModel::Record* sentence = sentenceModel.Find(id & 0xFFFF);
                ASSERT_EQ(Text(sentences.Find(id & 0xFFFF)), sentence ? sentence->story : "<null>");
            }
        }
    }
}

// Message 91 or 87 of n entries that all point at one text of textSize.
Bytes SharedTextMessage(int16_t kind, int n, int32_t firstID, size_t textSize)
{
    BlockSpec b;
    b.kind = kind;
    std::string text(textSize - 10, 'x');
    text += "\r\n\r\n\r\nName";
    const int32_t offset = b.AddText(text);
    for (int i = 0; i < n; ++i) {
        if (kind == kKindTalkSentences)
            b.AddSentence(firstID + i, offset);
        else
            b.AddLogEntry(firstID + i, offset, offset);
    }
    const Bytes head = kind == kKindTalkSentences ? Bytes(kTalkFixedSize, 0) : TaskListBytes({});
    return Concat(head, b.Encode());
}

TEST(TextStorage, SharedTextMessagesCostBoundedBytesAndAllocations)
{
    struct Case {
        const char* what;
        int16_t kind;
        int32_t firstID;
        size_t textSize;
    };
    const Case cases[] = {
        {"kind 2, small ids", kKindTaskLogAll, 1, 32000},
        {"kind 2, large ids", kKindTaskLogAll, kBig, 32000},
        {"kind 3, large ids", kKindTaskLogAdd, kBig, 32000},
        {"sentences", kKindTalkSentences, 1, 32000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Cost> costs;
        size_t largest = 0;
        for (int n : {100, 4095}) {
            const Bytes message = SharedTextMessage(c.kind, n, c.firstID, c.textSize);
            TaskLogTable log;
            TalkSentenceTable talk;
            costs.push_back(Measure([&] {
                if (c.kind == kKindTalkSentences)
                    LoadTalkSentences(message, talk);
                else
                    ApplyTaskLogMessage(message, log);
            }));
            EXPECT_EQ(log.Size() + talk.Size(), static_cast<size_t>(n));
            EXPECT_LE(costs.back().bytes, 4 * message.size()) << "n = " << n;
            largest = message.size();
        }
        EXPECT_GT(largest, 64000u);
        EXPECT_EQ(costs[0].allocations, costs[1].allocations);
        EXPECT_LE(costs[1].allocations, 6u);
    }
}

TEST(TextStorage, RepeatedAdditionsHoldNoMoreMemory)
{
    BlockSpec b;
    b.kind = kKindTaskLogAdd;
    const int32_t shared = b.AddText("desc\r\n\r\n\r\nName");
    for (int32_t i = 0; i < 50; ++i) {
        const int32_t own = b.AddText("story " + std::to_string(i));
        b.AddLogEntry(i, own, own);
        b.AddLogEntry(kBig + i, shared, i % 2 == 0 ? shared : own);
    }
    const Bytes message = Concat(TaskListBytes({}), b.Encode());
    TaskLogTable table;
    ApplyTaskLogMessage(message, table);
    const long long held = g_nLive;
    for (int i = 0; i < 99; ++i)
        ApplyTaskLogMessage(message, table);
    EXPECT_EQ(g_nLive, held);
    EXPECT_STREQ(table.FindName(7), "story 7");
    EXPECT_STREQ(table.FindName(kBig + 4), "Name");
    EXPECT_STREQ(table.FindStory(kBig + 4), "desc");
    EXPECT_EQ(table.FindName(kBig + 5), nullptr);  // its own story has no separator
    EXPECT_EQ(table.Size(), 75u + 99 * 50);        // repeats counted, not kept
}

}  // namespace
}  // namespace orvane::test
