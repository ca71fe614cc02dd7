// Message 91: the task list record and the task-log block.
#include "tasks/MessageFormats.h"
#include "tasks/TaskTables.h"
#include "tools/orvane-inspect/DecodeTree.h"

namespace orvane::inspect {

namespace {

const char kLogLine[] =
    "\u521d\u59cb\u4f60\u4efb\u52a1\u65e5\u5fd7\u6761\u3000\u6570\u636e"
    "\u683c\u5f0f\u4e0d\u5bf9";

Json ListRecord(std::span<const uint8_t> message)
{
    // The record is read as the task log dialog reads it: ten ids after the count.
    ByteReader r(message);
    Json node = Field("task list", message, 0, kTaskListSize, nullptr);
    node.erase("raw");
    Json& fields = node["fields"];
    fields.push_back(Field("count", message, 0, 4, r.read_i32_le().value_or(0)));
    for (size_t k = 0; k < 10; ++k)
        fields.push_back(Field("task id " + std::to_string(k), message, 4 + 4 * k, 4,
                               r.read_i32_le().value_or(0)));
    return node;
}

Json TextNode(const char* name, std::span<const uint8_t> message, const TextBlock& block,
              size_t textAt, int16_t offset, std::string& text)
{
    text = *block.text.text_at(static_cast<size_t>(offset));
    const size_t off = static_cast<size_t>(offset);
    const bool ended = off + text.size() < block.text.size();
    Json node = Field(name, message, textAt + off, text.size() + (ended ? 1 : 0), TextValue(text));
    if (!ended)
        node["note"] = "no zero byte before the block ends: the text ends there";
    return node;
}

void Entries(std::span<const uint8_t> message, const TextBlock& block, Json& node, Decoded91& out)
{
    const size_t indexAt = kTaskListSize + kBlockHeaderSize;
    const size_t textAt = indexAt + block.index.size();
    const bool additions = block.header.nKind == kKindTaskLogAdd;
    const std::string size = Num(static_cast<int64_t>(block.text.size()));
    ByteReader index = block.index;
    bool stopped = false;
    Json& entries = node["entries"];
    entries = Json::array();
    for (int32_t i = 0; i < block.header.nEntryCount; ++i) {
        const std::optional<TaskLogIndexEntry> entry = ReadTaskLogEntry(index);
        if (!entry)
            break;
        const size_t at = indexAt + 8 * static_cast<size_t>(i);
        Json e = Field("entry " + std::to_string(i), message, at, 8, nullptr);
        e.erase("raw");
        e["fields"].push_back(Field("task id", message, at, 4, entry->nTaskID));
        e["fields"].push_back(Field("name offset", message, at + 4, 2, entry->nNameOffset));
        e["fields"].push_back(Field("story offset", message, at + 6, 2, entry->nStoryOffset));
        TaskLogRead read{
            entry->nTaskID, entry->nNameOffset, entry->nStoryOffset, EntryFate::Read, {}, {}};
        const bool nameOk = block.HoldsOffset(entry->nNameOffset);
        const bool storyOk = block.HoldsOffset(entry->nStoryOffset);
        auto rule = [&](const char* what, int16_t value, bool ok) {
            return std::string(what) + " offset " + Num(value) +
                   (ok          ? " \u2264 text size " + size
                    : value < 0 ? std::string(" < 0")
                                : " > text size " + size);
        };
        const std::string why = rule("name", entry->nNameOffset, nameOk) + ", " +
                                rule("story", entry->nStoryOffset, storyOk);
        if (stopped) {
            read.fate = EntryFate::NotRead;
            e["verdict"] = "not read: the additions stopped at an earlier entry";
            out.lost.push_back("entry " + std::to_string(i) + " (task " +
                               std::to_string(entry->nTaskID) + ") not read");
        } else if (!nameOk || !storyOk) {
            read.fate = additions ? EntryFate::Stopped : EntryFate::Skipped;
            e["verdict"] = why + (additions ? ": the additions stop here (logged); the message "
                                              "does not reach the task log window"
                                            : ": this entry is skipped (logged)");
            out.lost.push_back("entry " + std::to_string(i) + " (task " +
                               std::to_string(entry->nTaskID) +
                               (additions ? ") stops the additions" : ") skipped"));
            stopped = additions;
        } else {
            e["verdict"] = why + ": read";
            e["name"] = TextNode("name", message, block, textAt, entry->nNameOffset, read.name);
            e["story"] = TextNode("story", message, block, textAt, entry->nStoryOffset, read.story);
            if (entry->nTaskID >= TaskLogTable::kSplitTaskID)
                e["note"] =
                    "task id \u2265 16,777,216: the name offset is not used; the story "
                    "holds description, \\r\\n\\r\\n\\r\\n, name";
        }
        out.entries.push_back(std::move(read));
        entries.push_back(std::move(e));
    }
}

void Reject(Json& node, const std::string& why, Decoded91& out)
{
    out.block = BlockFate::Logged;
    node["verdict"] = "block rejected (" + why + "): logged " + kLogLine;
    out.lost.push_back("the task-log block is rejected (" + why + ")");
}

// A block that passed every rule: kind 2 empties the table first, and the
// window gets the message unless the additions stopped.
void AcceptedBlock(std::span<const uint8_t> message, const HeaderFields& h, const TextBlock& block,
                   Json& node, Decoded91& out)
{
    out.block = BlockFate::Accepted;
    out.emptied = h.kind == kKindTaskLogAll;
    if (out.emptied && h.textSize <= 0) {
        out.handedOn = true;
        node["verdict"] = "kind 2 with text size 0: the table is emptied and nothing is read";
        if (h.entryCount > 0)
            out.lost.push_back(Num(h.entryCount) + " entries not read: the text size is 0");
        return;
    }
    Entries(message, block, node, out);
    bool stopped = false;
    for (const TaskLogRead& e : out.entries)
        stopped = stopped || e.fate == EntryFate::Stopped;
    out.handedOn = !stopped;
    node["verdict"] = std::string(out.emptied ? "kind 2 (the whole list): the table is emptied, "
                                                "then the entries are added"
                                              : "kind 3 (additions): the entries are added") +
                      (stopped ? "; stopped at a bad entry" : "");
}

// The task-log block after the record: its header, the rules it must pass
// in the module's order, and its entries when it passes them.
Json BlockNode(std::span<const uint8_t> message, Decoded91& out)
{
    Json node;
    node["field"] = "task-log block";
    node["offset"] = kTaskListSize;
    node["width"] = message.size() > kTaskListSize ? message.size() - kTaskListSize : 0;
    if (message.size() < kTaskLogBlockMin) {
        node["rules"].push_back(Rule("length " + Num(static_cast<int64_t>(message.size())) +
                                         " < 54 (and not 44): no room for a block header",
                                     false));
        Reject(node, "too short", out);
        return node;
    }
    const std::optional<HeaderFields> h = HeaderNode(message, kTaskListSize, node);
    Json& rules = node["rules"];
    const bool layout = LayoutRules(*h, message.size(), kTaskListSize, rules);
    const std::optional<TextBlock> block = OpenTextBlock(message, kTaskListSize);
    if (block.has_value() != layout)
        out.notes.push_back(
            "inspector fault: the block's layout verdict differs from the module's");
    out.kind = h->kind;
    if (!block) {
        Reject(node, LayoutFault(*h, message.size(), kTaskListSize), out);
        return node;
    }
    const bool known = h->kind >= kKindTaskLogAll && h->kind <= kKindTaskLogRefresh;
    rules.push_back(
        Rule("kind " + Num(h->kind) + (known ? " is 2, 3 or 4" : " is not 2, 3 or 4"), known));
    if (h->kind == kKindTaskLogRefresh) {
        out.block = BlockFate::Accepted;
        out.handedOn = true;
        node["verdict"] = "kind 4: nothing is read; the message goes to the task log window";
        return node;
    }
    if (!known) {
        out.block = BlockFate::Silent;
        node["verdict"] = "unknown kind: nothing happens, silently";
        out.lost.push_back("a task-log block of kind " + Num(h->kind) + " is ignored");
        return node;
    }
    const bool count = block->CountMatchesIndex();
    rules.push_back(Rule("entry count " + Num(h->entryCount) + (count ? " = " : " \u2260 ") +
                             "index " + Num(h->indexSize) + " / 8 = " + Num(h->indexSize >> 3),
                         count));
    if (!count) {
        Reject(node, "entry count", out);
        return node;
    }
    AcceptedBlock(message, *h, *block, node, out);
    return node;
}

}  // namespace

Json Decode91(std::span<const uint8_t> message, Decoded91& out)
{
    Json fields = Json::array();
    fields.push_back(ListRecord(message));
    if (message.size() == kTaskListSize) {
        out.handedOn = true;
        return fields;
    }
    fields.push_back(BlockNode(message, out));
    return fields;
}

}  // namespace orvane::inspect
