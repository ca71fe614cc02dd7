// Message 87's talk-sentence block and message 91's task-log block into the
// client's tables. Each block is read in two passes: the first checks the
// entries and sizes everything that must be allocated, so that all the
// allocating happens before the tables change; the second applies the
// entries, which cannot fail. The block's text area is copied once and
// shared by the records that point into it.
#include "client/DebugLog.h"
#include "tasks/MessageFormats.h"
#include "tasks/StorySplit.h"
#include "tasks/TaskTables.h"

namespace orvane {

namespace {

void LogTaskLogFormatError()
{
    WriteDebugLog(g_LogSink, "%s", kTaskLogFormatError);
}

bool IsSplitTaskID(int32_t id)
{
    return id >= TaskLogTable::kSplitTaskID;
}

// The entries of a task-log block that the second pass applies, and what
// they need.
struct TaskLogPlan {
    int32_t applied = 0;  // entries read before a kind 3 block stops
    size_t valid = 0;     // entries with both offsets in range
    size_t newIds = 0;    // valid entries whose id the table lacks (kind 3)
};

// Marks the story of every valid large id in splits.
TaskLogPlan PlanTaskLog(const TextBlock& block, const TaskLogTable& table, bool additions,
                        StorySplits& splits)
{
    TaskLogPlan plan;
    ByteReader index = block.index;
    for (; plan.applied < block.header.nEntryCount; ++plan.applied) {
        const std::optional<TaskLogIndexEntry> entry = ReadTaskLogEntry(index);
        if (!entry)
            break;
        if (!block.HoldsOffset(entry->nNameOffset) || !block.HoldsOffset(entry->nStoryOffset)) {
            if (additions) {
                ++plan.applied;  // the bad entry itself is still met, and logged
                break;
            }
            continue;
        }
        ++plan.valid;
        if (additions && !table.Contains(entry->nTaskID))
            ++plan.newIds;
        if (IsSplitTaskID(entry->nTaskID))
            splits.Mark(static_cast<uint16_t>(entry->nStoryOffset));
    }
    return plan;
}

}  // namespace

void LoadTalkSentences(std::span<const uint8_t> message, TalkSentenceTable& table)
{
    if (message.size() < kTalkSentenceBlockMin)
        return;
    // A block that does not fit its message is dropped silently, as is one
    // of another kind.
    const std::optional<TextBlock> block = OpenTextBlock(message, kTalkFixedSize);
    if (!block || block->header.nKind != kKindTalkSentences)
        return;
    if (!block->CountMatchesIndex()) {
        WriteDebugLog(g_LogSink, "%s", kSentenceFormatError);
        return;
    }

    size_t valid = 0;
    ByteReader index = block->index;
    for (int32_t i = 0; i < block->header.nEntryCount; ++i) {
        const std::optional<SentenceIndexEntry> entry = ReadSentenceEntry(index);
        if (!entry)
            break;
        valid += block->HoldsOffset(entry->nOffset) ? 1 : 0;
    }
    const TextRef area = valid > 0 ? TextArea::Copy(block->text.bytes()) : TextRef();
    table.Clear();
    table.Reserve(valid);

    index = block->index;
    for (int32_t i = 0; i < block->header.nEntryCount; ++i) {
        const std::optional<SentenceIndexEntry> entry = ReadSentenceEntry(index);
        if (!entry)
            break;
        if (!block->HoldsOffset(entry->nOffset)) {
            WriteDebugLog(g_LogSink, "%s", kTaskLogFormatError);
            continue;
        }
        table.AppendShared(entry->nResID, area, static_cast<uint32_t>(entry->nOffset));
    }
}

bool ApplyTaskLogMessage(std::span<const uint8_t> message, TaskLogTable& table)
{
    if (message.size() == kTaskListSize)
        return true;
    if (message.size() < kTaskLogBlockMin) {
        LogTaskLogFormatError();
        return false;
    }
    const std::optional<TextBlock> block = OpenTextBlock(message, kTaskListSize);
    if (!block) {
        LogTaskLogFormatError();
        return false;
    }
    const int16_t kind = block->header.nKind;
    if (kind == kKindTaskLogRefresh)
        return true;
    if (kind != kKindTaskLogAll && kind != kKindTaskLogAdd)
        return false;
    if (!block->CountMatchesIndex()) {
        LogTaskLogFormatError();
        return false;
    }
    if (kind == kKindTaskLogAll && block->header.nTextSize <= 0) {
        table.Clear();
        return true;
    }

    // A bad entry spoils a list of additions from there on; in a whole
    // list it costs only itself.
    const bool additions = kind == kKindTaskLogAdd;
    StorySplits splits(block->text.size());
    const TaskLogPlan plan = PlanTaskLog(*block, table, additions, splits);
    const TextRef area = plan.valid > 0 ? TextArea::Copy(block->text.bytes()) : TextRef();
    splits.Build(block->text.bytes(), area);
    if (additions) {
        table.Reserve(plan.newIds);
    } else {
        table.Clear();
        table.Reserve(plan.valid);
    }

    ByteReader index = block->index;
    for (int32_t i = 0; i < plan.applied; ++i) {
        const std::optional<TaskLogIndexEntry> entry = ReadTaskLogEntry(index);
        if (!entry)
            break;
        if (!block->HoldsOffset(entry->nNameOffset) || !block->HoldsOffset(entry->nStoryOffset)) {
            LogTaskLogFormatError();
            if (additions)
                return false;
            continue;
        }
        if (!IsSplitTaskID(entry->nTaskID)) {
            table.AddShared(entry->nTaskID, area, static_cast<uint32_t>(entry->nNameOffset),
                            static_cast<uint32_t>(entry->nStoryOffset));
            continue;
        }
        const auto split = splits.Find(static_cast<uint16_t>(entry->nStoryOffset));
        if (split)
            table.ReplaceShared(entry->nTaskID, splits.Area(), split->name, split->story);
        else
            table.ReplaceShared(entry->nTaskID, TextRef(), 0, 0);
    }
    return true;
}

}  // namespace orvane
