#include "tools/hostlib/Messages.h"

#include <limits>

namespace orvane::hostprog {

namespace {

constexpr int32_t kInt16Max = std::numeric_limits<int16_t>::max();

class ByteWriter {
public:
    void I16(int32_t v)
    {
        const auto u = static_cast<uint16_t>(v);
        m_bytes.push_back(static_cast<uint8_t>(u & 0xFF));
        m_bytes.push_back(static_cast<uint8_t>(u >> 8));
    }
    void I32(int32_t v)
    {
        const auto u = static_cast<uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8)
            m_bytes.push_back(static_cast<uint8_t>((u >> shift) & 0xFF));
    }
    void Text(const std::string& text)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_bytes.push_back(0);
    }
    void Zeros(size_t n) { m_bytes.insert(m_bytes.end(), n, 0); }
    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

// Whether the message's fixed part came out at its record size; anything
// else is a fault of this writer.
bool FixedPartDone(ByteWriter& w, size_t size, std::string& reason)
{
    if (w.Bytes().size() == size)
        return true;
    reason = "internal layout error";
    return false;
}

// The header every text block starts with; the index and text area sizes
// are int16 fields, so both must stay within 32767 bytes.
bool WriteBlockHeader(ByteWriter& w, size_t entries, size_t textSize, int32_t kind,
                      std::string& reason)
{
    if (entries > static_cast<size_t>(kInt16Max / 8)) {
        reason = "a text block holds at most " + std::to_string(kInt16Max / 8) + " entries";
        return false;
    }
    if (textSize > static_cast<size_t>(kInt16Max)) {
        reason = "the texts take " + std::to_string(textSize) +
                 " bytes; a text block holds at most 32767";
        return false;
    }
    w.I16(kBlockHeaderSize);
    w.I16(static_cast<int32_t>(entries * 8));
    w.I16(static_cast<int32_t>(entries));
    w.I16(static_cast<int32_t>(textSize));
    w.I16(kind);
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> BuildTalkMessage(const TalkMessageInput& msg,
                                                     std::string& reason)
{
    if (msg.pages.size() > static_cast<size_t>(kMaxTalkPages)) {
        reason = "at most 6 pages";
        return std::nullopt;
    }
    ByteWriter w;
    for (uint8_t b : msg.key)
        w.Bytes().push_back(b);
    w.I16(msg.pageCount ? *msg.pageCount : static_cast<int32_t>(msg.pages.size()));
    w.Zeros(2);
    for (const TalkPageInput& page : msg.pages) {
        if (page.options.size() > static_cast<size_t>(kMaxTalkOptions)) {
            reason = "a page has at most 10 options";
            return std::nullopt;
        }
        w.I32(page.task);
        w.I32(static_cast<int32_t>(page.options.size()));
        for (const auto& [link, resId] : page.options) {
            w.I32(link);
            w.I32(resId);
        }
        w.Zeros(8 * (kMaxTalkOptions - page.options.size()));
    }
    w.Zeros(sizeof(TaskTalkPage) * (kMaxTalkPages - msg.pages.size()));
    if (!FixedPartDone(w, kTalkFixedSize, reason))
        return std::nullopt;
    if (!msg.sentences)
        return std::move(w.Bytes());

    size_t textSize = 0;
    for (const auto& s : *msg.sentences)
        textSize += s.second.size() + 1;
    if (!WriteBlockHeader(w, msg.sentences->size(), textSize, 1, reason))
        return std::nullopt;
    size_t offset = 0;
    for (const auto& [resId, text] : *msg.sentences) {
        w.I32(resId);
        w.I32(static_cast<int32_t>(offset));
        offset += text.size() + 1;
    }
    for (const auto& s : *msg.sentences)
        w.Text(s.second);
    return std::move(w.Bytes());
}

std::optional<std::vector<uint8_t>> BuildTaskLogMessage(const TaskLogMessageInput& msg,
                                                        std::string& reason)
{
    if (msg.ids.size() > static_cast<size_t>(kMaxLogIds)) {
        reason = "at most 10 ids";
        return std::nullopt;
    }
    if (!msg.kind && !msg.entries.empty()) {
        reason = "entries need a kind (2, 3 or 4)";
        return std::nullopt;
    }
    ByteWriter w;
    w.I32(msg.count);
    for (int32_t id : msg.ids)
        w.I32(id);
    w.Zeros(4 * (kMaxLogIds - msg.ids.size()));
    if (!FixedPartDone(w, kTaskListSize, reason))
        return std::nullopt;
    if (!msg.kind)
        return std::move(w.Bytes());

    size_t textSize = 0;
    for (const TaskLogEntryInput& e : msg.entries)
        textSize += e.name.size() + 1 + e.story.size() + 1;
    if (!WriteBlockHeader(w, msg.entries.size(), textSize, *msg.kind, reason))
        return std::nullopt;
    size_t offset = 0;
    for (const TaskLogEntryInput& e : msg.entries) {
        w.I32(e.id);
        w.I16(static_cast<int32_t>(offset));
        offset += e.name.size() + 1;
        w.I16(static_cast<int32_t>(offset));
        offset += e.story.size() + 1;
    }
    for (const TaskLogEntryInput& e : msg.entries) {
        w.Text(e.name);
        w.Text(e.story);
    }
    return std::move(w.Bytes());
}

}  // namespace orvane::hostprog
