// The byte layouts of the task messages 87 (NPC talk) and 91 (task log),
// their text blocks, and the texts composed from them for the NPC talk
// window. Every read goes through ByteReader; nothing here trusts a size,
// an offset or a count that came from the server.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tasks/ByteReader.h"
#include "tasks/TaskRecords.h"

class TalkSentenceTable;
class TaskLogTable;

namespace orvane {

// Message 87: reply key, page area, then an optional talk-sentence block.
constexpr size_t kReplyKeySize = 8;
constexpr size_t kPageAreaOffset = 8;
constexpr size_t kPageAreaSize = sizeof(TaskTalkPageArea);
constexpr size_t kTalkFixedSize = kPageAreaOffset + kPageAreaSize;  // 540
// Message 91: a TaskListRecord, then an optional task-log block.
constexpr size_t kTaskListSize = sizeof(TaskListRecord);  // 44

constexpr int16_t kBlockHeaderSize = 10;
constexpr size_t kIndexEntrySize = 8;
constexpr size_t kTalkSentenceBlockMin = kTalkFixedSize + kBlockHeaderSize;  // 550
constexpr size_t kTaskLogBlockMin = kTaskListSize + kBlockHeaderSize;        // 54

enum TextBlockKind : int16_t {
    kKindTalkSentences = 1,
    kKindTaskLogAll = 2,      // the whole list: replaces the table
    kKindTaskLogAdd = 3,      // additions
    kKindTaskLogRefresh = 4,  // nothing to read; only the list changed
};

constexpr int32_t kMaxPageTextBytes = 511;
constexpr int32_t kMaxMenuLineBytes = 127;

// Substitute and fixed texts of the talk window (GBK).
extern const char kChatText[];           // 闲聊
extern const char kMenuHeading[];        // 请选择一个任务
extern const char kMissingOptionText[];  // "\n"
extern const char kMissingNameText[];    // " \n"
// Debug log lines of malformed blocks (GBK).
extern const char kSentenceFormatError[];  // 初始化说话语句格式出错
extern const char kTaskLogFormatError[];   // 初始你任务日志条　数据格式不对

// The first eight bytes of message 87; bytes the message lacks are zero.
std::array<uint8_t, kReplyKeySize> ReadReplyKey(std::span<const uint8_t> message);

// The task list at the head of message 91; nullopt when the bytes are fewer
// than its 44.
std::optional<TaskListRecord> ReadTaskList(std::span<const uint8_t> message);

// Decodes the page area (page count, spare bytes, six pages) from its bytes,
// message 87's bytes 8 to 539. Bytes beyond areaBytes count as zero, so a
// short message gives zero pages and fields past its end.
TaskTalkPageArea DecodePageArea(std::span<const uint8_t> areaBytes);

struct TextBlockHeader {
    int16_t nHeaderSize;
    int16_t nIndexSize;
    int16_t nEntryCount;
    int16_t nTextSize;
    int16_t nKind;
};

// A text block whose header, index and text area lie inside the message and
// which ends exactly where the message ends.
struct TextBlock {
    TextBlockHeader header;
    ByteReader index;
    ByteReader text;

    bool CountMatchesIndex() const { return header.nEntryCount == (header.nIndexSize >> 3); }
    // Whether a text may start at offset of the text area: not negative and
    // not beyond the text size (the text size itself gives the empty text).
    bool HoldsOffset(int32_t offset) const
    {
        return offset >= 0 && static_cast<size_t>(offset) <= text.size();
    }
};

// Opens the text block at blockStart of message. Nullopt when the header
// cannot be read, the header size is not 10, the index or text size is
// negative, or header, index and text do not fill the rest of the message.
std::optional<TextBlock> OpenTextBlock(std::span<const uint8_t> message, size_t blockStart);

struct SentenceIndexEntry {
    int32_t nResID;
    int32_t nOffset;
};
struct TaskLogIndexEntry {
    int32_t nTaskID;
    int16_t nNameOffset;
    int16_t nStoryOffset;
};
// Inline, so that a block's loops keep the fields in registers.
inline std::optional<SentenceIndexEntry> ReadSentenceEntry(ByteReader& index)
{
    if (index.remaining() < kIndexEntrySize)
        return std::nullopt;
    const int32_t resID = *index.read_i32_le();
    const int32_t offset = *index.read_i32_le();
    return SentenceIndexEntry{resID, offset};
}

inline std::optional<TaskLogIndexEntry> ReadTaskLogEntry(ByteReader& index)
{
    if (index.remaining() < kIndexEntrySize)
        return std::nullopt;
    const int32_t taskID = *index.read_i32_le();
    const int16_t nameOffset = *index.read_i16_le();
    const int16_t storyOffset = *index.read_i16_le();
    return TaskLogIndexEntry{taskID, nameOffset, storyOffset};
}

// Reads message 87's talk-sentence block into table. A block failing its
// checks leaves the table as it was (the count mismatch with a log line);
// an entry with a bad offset is skipped with a log line.
void LoadTalkSentences(std::span<const uint8_t> message, TalkSentenceTable& table);

// Applies message 91 to table and returns whether the message goes on to
// the task log window. Rejections write the task-log format error line.
bool ApplyTaskLogMessage(std::span<const uint8_t> message, TaskLogTable& table);

// The length of the longest start of text, at most maxBytes, that splits no
// GBK double-byte character.
size_t GbkFitLength(std::string_view text, size_t maxBytes);
// text cut to at most maxBytes without splitting a GBK double-byte character.
std::string CutGbk(std::string text, size_t maxBytes);

// The page text: "任务：name \r\ndesc" with every '#' of desc made a line
// break, or "闲聊" when desc is missing or empty or name is missing.
std::string ComposePageText(const char* name, const char* desc);

// The numeral labelling menu position 0 to 9 ("一" to "十"); null outside.
const char* MenuNumeral(int32_t position);

// One menu line: "闲聊" for task id 0, else "任务 <numeral>: name"; a
// missing name reads " \n".
std::string ComposeMenuLine(int32_t position, int32_t taskID, const char* name);

}  // namespace orvane
