// The server-message ops: raw bytes (`server`) and the two messages the host
// lays out itself (`talk` for 87, `tasklog` for 91).
#include <limits>

#include "tools/hostlib/Messages.h"
#include "tools/hostlib/ScenarioParts.h"

namespace orvane::hostprog {

namespace {

constexpr int64_t kI32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kI32Max = std::numeric_limits<int32_t>::max();

int32_t Int32Of(const nlohmann::json& v, const std::string& what)
{
    return static_cast<int32_t>(IntegerValue(v, what, kI32Min, kI32Max));
}

const nlohmann::json& ArrayOf(const nlohmann::json& v, const std::string& what, size_t size)
{
    if (!v.is_array() || v.size() != size)
        throw LineFault{
            what + " must be an array of " + std::to_string(size) + ", not " +
            (v.is_array() ? "an array of " + std::to_string(v.size()) : DescribeType(v))};
    return v;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::vector<uint8_t> HexOf(const OpFields& fields, const char* key)
{
    std::string reason;
    std::optional<std::vector<uint8_t>> bytes = ParseHex(fields.String(key), reason);
    if (!bytes)
        throw LineFault{fields.Name(key) + ": " + reason};
    return *bytes;
}

TalkPageInput ReadPage(const nlohmann::json& page, size_t index)
{
    const std::string what = "page " + std::to_string(index + 1);
    if (!page.is_object())
        throw LineFault{what +
                        " must be an object {\"task\": T, \"options\": [[link, resid], ...]}"
                        ", not " +
                        DescribeType(page)};
    for (const auto& item : page.items()) {
        if (item.key() != "task" && item.key() != "options")
            throw LineFault{what + " has no key \"" + item.key() +
                            "\" (its keys: \"task\", "
                            "\"options\")"};
    }
    TalkPageInput msg;
    if (!page.contains("task"))
        throw LineFault{what + " needs the key \"task\" (0 for chat)"};
    msg.task = Int32Of(page["task"], what + " \"task\"");
    if (!page.contains("options"))
        return msg;
    const nlohmann::json& options = page["options"];
    if (!options.is_array())
        throw LineFault{what + " \"options\" must be an array, not " + DescribeType(options)};
    if (options.size() > static_cast<size_t>(kMaxTalkOptions))
        throw LineFault{what + " has " + std::to_string(options.size()) +
                        " options; a page holds at most 10"};
    for (size_t i = 0; i < options.size(); ++i) {
        const std::string opt = what + " option " + std::to_string(i + 1);
        const nlohmann::json& pair = ArrayOf(options[i], opt + " [link, resid]", 2);
        msg.options.emplace_back(Int32Of(pair[0], opt + " link"), Int32Of(pair[1], opt + " resid"));
    }
    return msg;
}

}  // namespace

std::optional<std::vector<uint8_t>> ParseHex(const std::string& text, std::string& reason)
{
    std::vector<uint8_t> bytes;
    int high = -1;
    size_t digits = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ')
            continue;
        const int d = HexDigit(c);
        if (d < 0) {
            const auto shown =
                static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F
                    ? "a byte " + std::to_string(static_cast<unsigned char>(c))
                    : "'" + std::string(1, c) + "'";
            reason = shown + " at position " + std::to_string(i + 1) + " is not a hex digit";
            return std::nullopt;
        }
        ++digits;
        if (high < 0) {
            high = d;
        } else {
            bytes.push_back(static_cast<uint8_t>(high * 16 + d));
            high = -1;
        }
    }
    if (high >= 0) {
        reason =
            "an odd number of hex digits (" + std::to_string(digits) + "); every byte takes two";
        return std::nullopt;
    }
    return bytes;
}

std::string ToHex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string ToHex(const std::vector<uint8_t>& bytes)
{
    return ToHex(std::string(bytes.begin(), bytes.end()));
}

void ReadServer(const OpFields& fields, Op& op)
{
    fields.AllowOnly({"msg", "hex"});
    op.msg = fields.Int32("msg");
    op.bytes = HexOf(fields, "hex");
    op.summary = "server message " + std::to_string(op.msg) + ", " +
                 std::to_string(op.bytes.size()) + " bytes";
}

void ReadTalk(const OpFields& fields, Op& op)
{
    fields.AllowOnly({"key", "pages", "sentences", "page_count"});
    TalkMessageInput msg;
    const std::vector<uint8_t> key = HexOf(fields, "key");
    if (key.size() != msg.key.size())
        throw LineFault{"\"key\" must be 16 hex digits (8 bytes), not " +
                        std::to_string(key.size() * 2)};
    std::copy(key.begin(), key.end(), msg.key.begin());
    const nlohmann::json& pages = fields.Array("pages");
    if (pages.size() > static_cast<size_t>(kMaxTalkPages))
        throw LineFault{"\"pages\" has " + std::to_string(pages.size()) +
                        " pages; message 87 holds at most 6"};
    for (size_t i = 0; i < pages.size(); ++i)
        msg.pages.push_back(ReadPage(pages[i], i));
    if (fields.Has("page_count"))
        msg.pageCount = static_cast<int16_t>(fields.Int("page_count", -32768, 32767));
    if (fields.Has("sentences")) {
        std::vector<std::pair<int32_t, std::string>> sentences;
        const nlohmann::json& list = fields.Array("sentences");
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string what = "sentence " + std::to_string(i + 1);
            const nlohmann::json& pair = ArrayOf(list[i], what + " [resid, text]", 2);
            sentences.emplace_back(Int32Of(pair[0], what + " resid"),
                                   GbkText(pair[1], what + " text"));
        }
        msg.sentences = std::move(sentences);
    }
    std::string reason;
    std::optional<std::vector<uint8_t>> bytes = BuildTalkMessage(msg, reason);
    if (!bytes)
        throw LineFault{"message 87: " + reason};
    op.msg = 87;
    op.bytes = std::move(*bytes);
    // A page count given apart from the pages is told beside them.
    const std::string pageCount =
        msg.pageCount && *msg.pageCount != static_cast<int16_t>(msg.pages.size())
            ? " written, page count " + std::to_string(*msg.pageCount)
            : std::string();
    op.summary = "server message 87 (talk): " + std::to_string(msg.pages.size()) + " page(s)" +
                 pageCount +
                 (msg.sentences ? ", " + std::to_string(msg.sentences->size()) + " sentence(s)"
                                : std::string()) +
                 ", " + std::to_string(op.bytes.size()) + " bytes";
}

void ReadTaskLog(const OpFields& fields, Op& op)
{
    fields.AllowOnly({"ids", "count", "kind", "entries"});
    TaskLogMessageInput msg;
    const nlohmann::json& ids = fields.Array("ids");
    if (ids.size() > static_cast<size_t>(kMaxLogIds))
        throw LineFault{"\"ids\" has " + std::to_string(ids.size()) +
                        " ids; the task list holds at most 10"};
    for (size_t i = 0; i < ids.size(); ++i)
        msg.ids.push_back(Int32Of(ids[i], "id " + std::to_string(i + 1)));
    msg.count = fields.Has("count") ? fields.Int32("count") : static_cast<int32_t>(ids.size());
    if (fields.Has("kind")) {
        const int64_t kind = fields.Int("kind", kI32Min, kI32Max);
        if (kind < 2 || kind > 4)
            throw LineFault{"\"kind\" must be 2 (the whole list), 3 (additions) or 4, not " +
                            std::to_string(kind) + " (send other kinds with the server op)"};
        msg.kind = static_cast<int16_t>(kind);
    }
    if (fields.Has("entries")) {
        if (!msg.kind)
            throw LineFault{"\"entries\" need a \"kind\" (2, 3 or 4)"};
        const nlohmann::json& list = fields.Array("entries");
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string what = "entry " + std::to_string(i + 1);
            const nlohmann::json& e = ArrayOf(list[i], what + " [id, name, story]", 3);
            msg.entries.push_back({Int32Of(e[0], what + " id"), GbkText(e[1], what + " name"),
                                   GbkText(e[2], what + " story")});
        }
    }
    std::string reason;
    std::optional<std::vector<uint8_t>> bytes = BuildTaskLogMessage(msg, reason);
    if (!bytes)
        throw LineFault{"message 91: " + reason};
    op.msg = 91;
    op.bytes = std::move(*bytes);
    op.summary = "server message 91 (task log): " + std::to_string(msg.ids.size()) + " id(s)" +
                 (msg.kind ? ", kind " + std::to_string(*msg.kind) + " with " +
                                 std::to_string(msg.entries.size()) + " entr" +
                                 (msg.entries.size() == 1 ? "y" : "ies")
                           : std::string()) +
                 ", " + std::to_string(op.bytes.size()) + " bytes";
}

}  // namespace orvane::hostprog
