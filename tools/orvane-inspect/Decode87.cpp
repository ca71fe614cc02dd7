// Message 87: the reply key, the page area and the talk-sentence block.
#include <algorithm>

#include "tasks/MessageFormats.h"
#include "tasks/PageClass.h"
#include "tools/hostlib/Scenario.h"
#include "tools/orvane-inspect/DecodeTree.h"

namespace orvane::inspect {

namespace {

constexpr size_t kPageSize = sizeof(TaskTalkPage);
constexpr size_t kPagesOffset = 12;

const char* PageClass(const TaskTalkPage& page)
{
    if (IsOpenChatPage(page))
        return "open chat";
    if (IsChatPage(page))
        return "chat (no options)";
    if (IsNarrationPage(page))
        return "narration";
    if (IsChoicePage(page))
        return "choice";
    return "none (a task page with one linked option, or none)";
}

bool AllZero(const TaskTalkPage& page)
{
    if (page.nTaskID != 0 || page.nOptionCount != 0)
        return false;
    for (const TaskTalkOption& o : page.options)
        if (o.nLink != 0 || o.nResID != 0)
            return false;
    return true;
}

Json PageNode(std::span<const uint8_t> message, int32_t p, const TaskTalkPage& page, bool counted,
              Decoded87& out)
{
    const size_t at = kPagesOffset + kPageSize * static_cast<size_t>(p);
    Json node = Field("page " + std::to_string(p), message, at, kPageSize, nullptr);
    node.erase("raw");
    node["class"] = counted ? PageClass(page) : "not counted (beyond the page count)";
    Json& fields = node["fields"];
    fields.push_back(Field("task id", message, at, 4, page.nTaskID));
    fields.push_back(Field("option count", message, at + 4, 4, page.nOptionCount));
    const int32_t used = std::clamp<int32_t>(page.nOptionCount, 0, kMaxTalkOptions);
    if (counted && page.nOptionCount > kMaxTalkOptions)
        out.lost.push_back("page " + std::to_string(p) + " counts " + Num(page.nOptionCount) +
                           " options; only the first 10 are shown");
    for (int32_t i = 0; i < used; ++i) {
        const size_t o = at + 8 + 8 * static_cast<size_t>(i);
        Json option = Field("option " + std::to_string(i), message, o, 8, nullptr);
        option.erase("raw");
        option["fields"].push_back(Field("link value", message, o, 4, page.options[i].nLink));
        option["fields"].push_back(Field("nResID", message, o + 4, 4, page.options[i].nResID));
        fields.push_back(std::move(option));
    }
    return node;
}

void SentenceEntries(std::span<const uint8_t> message, const TextBlock& block, Json& node,
                     Decoded87& out)
{
    const size_t indexAt = kTalkFixedSize + kBlockHeaderSize;
    const size_t textAt = indexAt + block.index.size();
    ByteReader index = block.index;
    Json& entries = node["entries"];
    entries = Json::array();
    for (int32_t i = 0; i < block.header.nEntryCount; ++i) {
        const std::optional<SentenceIndexEntry> entry = ReadSentenceEntry(index);
        if (!entry)
            break;
        const size_t at = indexAt + 8 * static_cast<size_t>(i);
        Json e = Field("sentence " + std::to_string(i), message, at, 8, nullptr);
        e.erase("raw");
        e["fields"].push_back(Field("nResID", message, at, 4, entry->nResID));
        e["fields"].push_back(Field("text offset", message, at + 4, 4, entry->nOffset));
        SentenceRead read{entry->nResID, entry->nOffset, block.HoldsOffset(entry->nOffset), {}};
        const std::string size = Num(static_cast<int64_t>(block.text.size()));
        if (read.inRange) {
            read.text = *block.text.text_at(static_cast<size_t>(entry->nOffset));
            const size_t off = static_cast<size_t>(entry->nOffset);
            const bool ended = off + read.text.size() < block.text.size();
            e["verdict"] = "offset " + Num(entry->nOffset) + " \u2264 text size " + size + ": read";
            e["text"] = Field("text", message, textAt + off, read.text.size() + (ended ? 1 : 0),
                              TextValue(read.text));
            if (!ended)
                e["text"]["note"] = "no zero byte before the block ends: the text ends there";
        } else {
            e["verdict"] = "offset " + Num(entry->nOffset) +
                           (entry->nOffset < 0 ? " < 0" : " > text size " + size) +
                           ": skipped, with the task-log wording in the log";
            out.lost.push_back("sentence " + std::to_string(i) + " (nResID " +
                               std::to_string(entry->nResID) + ") skipped: bad text offset");
        }
        out.sentences.push_back(std::move(read));
        entries.push_back(std::move(e));
    }
}

Json SentenceBlock(std::span<const uint8_t> message, Decoded87& out)
{
    Json node;
    node["field"] = "talk-sentence block";
    node["offset"] = kTalkFixedSize;
    node["width"] = message.size() - kTalkFixedSize;
    const std::optional<HeaderFields> h = HeaderNode(message, kTalkFixedSize, node);
    Json& rules = node["rules"];
    const bool layout = LayoutRules(*h, message.size(), kTalkFixedSize, rules);
    const bool kind = h->kind == kKindTalkSentences;
    rules.push_back(Rule("kind " + Num(h->kind) + (kind ? " = " : " \u2260 ") + "1", kind));
    const bool count = h->entryCount == (h->indexSize >> 3);
    rules.push_back(Rule("entry count " + Num(h->entryCount) + (count ? " = " : " \u2260 ") +
                             "index " + Num(h->indexSize) + " / 8 = " + Num(h->indexSize >> 3),
                         count));
    const std::optional<TextBlock> block = OpenTextBlock(message, kTalkFixedSize);
    if (block.has_value() != layout)
        out.notes.push_back(
            "inspector fault: the block's layout verdict differs from the module's");
    if (!block || !kind) {
        out.block = BlockFate::Silent;
        const std::string why =
            !block ? LayoutFault(*h, message.size(), kTalkFixedSize) : "kind " + Num(h->kind);
        node["verdict"] =
            "block dropped silently (" + why + "): no log line, the earlier sentences stay";
        out.lost.push_back("the talk-sentence block is dropped (" + why + ")");
        out.notes.push_back("The sentence block is dropped without a log line (" + why +
                            "): nothing tells the server developer, and the pages fall back to "
                            "the earlier sentences and the task script.");
        return node;
    }
    if (!block->CountMatchesIndex()) {
        out.block = BlockFate::Logged;
        node["verdict"] =
            "block rejected: entry count does not match the index; logged, the "
            "earlier sentences stay";
        out.lost.push_back("the talk-sentence block is rejected (entry count)");
        return node;
    }
    out.block = BlockFate::Accepted;
    node["verdict"] = "block accepted: it replaces every earlier sentence";
    SentenceEntries(message, *block, node, out);
    if (std::any_of(out.sentences.begin(), out.sentences.end(),
                    [](const SentenceRead& s) { return !s.inRange; }))
        out.notes.push_back(
            "A sentence with a bad text offset is skipped with the log line "
            "of the task log (\u521d\u59cb\u4f60\u4efb\u52a1\u65e5\u5fd7\u6761"
            "\u3000\u6570\u636e\u683c\u5f0f\u4e0d\u5bf9), not the sentence "
            "format line.");
    return node;
}

}  // namespace

Json Decode87(std::span<const uint8_t> message, Decoded87& out)
{
    Json fields = Json::array();
    if (message.empty()) {
        out.ignored = true;
        out.lost.push_back("an empty message is ignored");
        return fields;
    }
    const auto key = ReadReplyKey(message);
    fields.push_back(Field("reply key", message, 0, kReplyKeySize,
                           hostprog::ToHex(std::vector<uint8_t>(key.begin(), key.end()))));
    out.area = DecodePageArea(message.size() > kPageAreaOffset ? message.subspan(kPageAreaOffset)
                                                               : std::span<const uint8_t>());
    const int16_t count = out.area.m_nPageCount;
    out.usablePages = std::clamp<int32_t>(count, 0, kMaxTalkPages);
    Json countNode = Field("page count", message, 8, 2, count);
    if (count > kMaxTalkPages) {
        countNode["note"] = "above 6: only the six pages the message holds are read";
        out.lost.push_back("page count " + Num(count) + ": pages beyond the sixth do not exist");
    } else if (count < 0) {
        countNode["note"] = "negative: no page is counted";
        out.lost.push_back("a negative page count: no page is counted");
    }
    fields.push_back(std::move(countNode));
    fields.push_back(Field("spare", message, 10, 2, "copied, never read"));
    for (int32_t p = 0; p < kMaxTalkPages; ++p) {
        const TaskTalkPage& page = out.area.m_Pages[p];
        const bool counted = p < out.usablePages;
        if (!counted && AllZero(page))
            continue;
        fields.push_back(PageNode(message, p, page, counted, out));
    }
    if (message.size() < kTalkFixedSize)
        out.notes.push_back("The message is " + Num(static_cast<int64_t>(message.size())) +
                            " bytes, shorter than its 540-byte fixed part: what it lacks reads "
                            "as zero.");
    if (message.size() > kTalkFixedSize && message.size() < kTalkSentenceBlockMin) {
        Json tail = Field("trailing bytes", message, kTalkFixedSize,
                          message.size() - kTalkFixedSize, nullptr);
        tail["verdict"] =
            "fewer than the 10 bytes of a block header: ignored, the earlier "
            "sentences stay";
        out.lost.push_back("trailing bytes after the fixed part are ignored");
        fields.push_back(std::move(tail));
    }
    if (message.size() >= kTalkSentenceBlockMin)
        fields.push_back(SentenceBlock(message, out));
    return fields;
}

}  // namespace orvane::inspect
