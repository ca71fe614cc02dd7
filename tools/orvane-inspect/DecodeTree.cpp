#include "tools/orvane-inspect/DecodeTree.h"

#include "host/Encoding.h"
#include "tasks/ByteReader.h"
#include "tasks/MessageFormats.h"
#include "tools/hostlib/Scenario.h"

namespace orvane::inspect {

std::string Num(int64_t n)
{
    const uint64_t magnitude = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    const std::string digits = std::to_string(magnitude);
    std::string out = n < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

Json TextValue(const std::string& gbk)
{
    if (std::optional<std::string> utf8 = host::GbkToUtf8(gbk))
        return *utf8;
    Json hex;
    hex["hex"] = hostprog::ToHex(gbk);
    return hex;
}

Json Field(const std::string& name, std::span<const uint8_t> message, size_t offset, size_t width,
           Json value)
{
    Json node;
    node["field"] = name;
    node["offset"] = offset;
    node["width"] = width;
    const size_t end = offset + width;
    std::string raw;
    for (size_t i = offset; i < end && i < message.size(); ++i)
        raw.push_back(static_cast<char>(message[i]));
    node["raw"] = hostprog::ToHex(raw);
    if (end > message.size())
        node["absent"] = offset >= message.size() ? "beyond the end: reads as 0" : "cut by the end";
    node["value"] = std::move(value);
    return node;
}

Json Rule(const std::string& text, bool holds)
{
    Json rule;
    rule["rule"] = text;
    rule["holds"] = holds;
    return rule;
}

std::optional<HeaderFields> HeaderNode(std::span<const uint8_t> message, size_t blockStart,
                                       Json& node)
{
    if (blockStart > message.size())
        return std::nullopt;
    ByteReader r(message.subspan(blockStart));
    if (r.remaining() < static_cast<size_t>(kBlockHeaderSize))
        return std::nullopt;
    HeaderFields h;
    h.headerSize = *r.read_i16_le();
    h.indexSize = *r.read_i16_le();
    h.entryCount = *r.read_i16_le();
    h.textSize = *r.read_i16_le();
    h.kind = *r.read_i16_le();
    Json& fields = node["fields"];
    fields.push_back(Field("header size", message, blockStart, 2, h.headerSize));
    fields.push_back(Field("index size", message, blockStart + 2, 2, h.indexSize));
    fields.push_back(Field("entry count", message, blockStart + 4, 2, h.entryCount));
    fields.push_back(Field("text size", message, blockStart + 6, 2, h.textSize));
    fields.push_back(Field("kind", message, blockStart + 8, 2, h.kind));
    return h;
}

bool LayoutRules(const HeaderFields& h, size_t length, size_t blockStart, Json& rules)
{
    const bool header = h.headerSize == kBlockHeaderSize;
    rules.push_back(
        Rule("header size " + Num(h.headerSize) + (header ? " = " : " \u2260 ") + "10", header));
    const bool sizes = h.indexSize >= 0 && h.textSize >= 0;
    rules.push_back(Rule("index size " + Num(h.indexSize) + " and text size " + Num(h.textSize) +
                             (sizes ? " are not negative" : ": one is negative"),
                         sizes));
    const int64_t whole =
        static_cast<int64_t>(blockStart) + h.headerSize + h.indexSize + h.textSize;
    const bool fits = static_cast<int64_t>(length) == whole;
    rules.push_back(Rule("length " + Num(static_cast<int64_t>(length)) +
                             (fits ? " = " : " \u2260 ") + Num(static_cast<int64_t>(blockStart)) +
                             " + " + Num(h.headerSize) + " + index " + Num(h.indexSize) +
                             " + text " + Num(h.textSize) + " = " + Num(whole),
                         fits));
    return header && sizes && fits;
}

std::string LayoutFault(const HeaderFields& h, size_t length, size_t blockStart)
{
    if (h.headerSize != kBlockHeaderSize)
        return "header size " + Num(h.headerSize);
    if (h.indexSize < 0 || h.textSize < 0)
        return "a negative size";
    const int64_t off = static_cast<int64_t>(length) - (static_cast<int64_t>(blockStart) +
                                                        h.headerSize + h.indexSize + h.textSize);
    if (off == 0)
        return "";
    const int64_t by = off < 0 ? -off : off;
    return std::string(off < 0 ? "length short by " : "length long by ") +
           (by == 1 ? std::string("one") : Num(by));
}

}  // namespace orvane::inspect
