#include "host/ScriptParser.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "host/Encoding.h"

namespace orvane::host {

namespace {

using nlohmann::json;

// Parser messages quote the input; keep them printable ASCII.
std::string Printable(std::string_view text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte < 0x7F) {
            out += ch;
        } else {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

// The library frees a document's arrays and objects through a stack it
// allocates, inside a destructor: with memory exhausted that ends the
// program. Emptying them innermost first frees everything without it.
constexpr int kMaxDismantleDepth = 256;

void Dismantle(json& value, int depth)
{
    if (depth >= kMaxDismantleDepth)
        return;  // the library's own destructor takes what is left
    if (value.is_array()) {
        auto& items = value.get_ref<json::array_t&>();
        while (!items.empty()) {
            Dismantle(items.back(), depth + 1);
            items.pop_back();
        }
    } else if (value.is_object()) {
        auto& members = value.get_ref<json::object_t&>();
        while (!members.empty()) {
            Dismantle(members.begin()->second, depth + 1);
            members.erase(members.begin());
        }
    }
}

class DismantleOnExit {
public:
    explicit DismantleOnExit(json& doc) : m_doc(doc) {}
    ~DismantleOnExit() { Dismantle(m_doc, 0); }
    DismantleOnExit(const DismantleOnExit&) = delete;
    DismantleOnExit& operator=(const DismantleOnExit&) = delete;

private:
    json& m_doc;
};

std::string Quoted(std::string_view key)
{
    return "\"" + std::string(key) + "\"";
}

// Walks the parsed document; stops at the first fault and keeps its message.
class ScriptBuilder {
public:
    std::unique_ptr<ResNode> Build(const json& doc, const char* password);
    const std::string& Error() const { return m_error; }

private:
    std::nullptr_t Fail(const std::string& where, const std::string& what)
    {
        m_error = where.empty() ? what : where + ": " + what;
        return nullptr;
    }
    // A text of the file as GBK, or nullopt (with the error set).
    std::optional<std::string> ToGbk(std::string_view utf8, const std::string& where);
    std::optional<std::string> Text(const json& value, const std::string& where);
    std::optional<std::string> AttrValue(const json& value, const std::string& where);
    std::optional<int32_t> Id(const json& value, const std::string& where);
    std::unique_ptr<ResNode> Object(const json& value, const std::string& where, int depth);
    bool Children(const json& value, const std::string& where, int depth, ResNode& parent);

    std::string m_error;
};

std::optional<std::string> ScriptBuilder::ToGbk(std::string_view utf8, const std::string& where)
{
    if (utf8.find('\0') != std::string_view::npos) {
        Fail(where, "the text holds a zero character (\\u0000)");
        return std::nullopt;
    }
    std::optional<std::string> gbk = Utf8ToGbk(utf8);
    if (!gbk)
        Fail(where, "the text cannot be converted to GBK (code page 936)");
    return gbk;
}

std::optional<std::string> ScriptBuilder::Text(const json& value, const std::string& where)
{
    if (!value.is_string()) {
        Fail(where, std::string("must be a string, not ") + value.type_name());
        return std::nullopt;
    }
    return ToGbk(value.get_ref<const std::string&>(), where);
}

std::optional<std::string> ScriptBuilder::AttrValue(const json& value, const std::string& where)
{
    if (value.is_string())
        return ToGbk(value.get_ref<const std::string&>(), where);
    if (value.is_number_unsigned())
        return std::to_string(value.get<uint64_t>());
    if (value.is_number_integer())
        return std::to_string(value.get<int64_t>());
    if (value.is_number_float())
        return value.dump();
    Fail(where, std::string("must be a string or a number, not ") + value.type_name());
    return std::nullopt;
}

std::optional<int32_t> ScriptBuilder::Id(const json& value, const std::string& where)
{
    if (!value.is_number_integer()) {
        Fail(where, std::string("must be an integer, not ") +
                        (value.is_number_float() ? "a fraction" : value.type_name()));
        return std::nullopt;
    }
    const bool inRange =
        value.is_number_unsigned()
            ? value.get<uint64_t>() <= static_cast<uint64_t>(INT32_MAX)
            : value.get<int64_t>() >= INT32_MIN && value.get<int64_t>() <= INT32_MAX;
    if (!inRange) {
        Fail(where, "is out of range (-2147483648 to 2147483647)");
        return std::nullopt;
    }
    return static_cast<int32_t>(value.get<int64_t>());
}

std::unique_ptr<ResNode> ScriptBuilder::Object(const json& value, const std::string& where,
                                               int depth)
{
    if (!value.is_object())
        return Fail(where, std::string("must be an object, not ") + value.type_name());
    if (depth > kMaxScriptDepth)
        return Fail(where, "objects are nested more than " + std::to_string(kMaxScriptDepth) +
                               " levels deep");
    for (const auto& item : value.items()) {
        const std::string& key = item.key();
        if (key != "id" && key != "name" && key != "attrs" && key != "children" && key != "comment")
            return Fail(where, "unknown key " + Quoted(key) +
                                   " (an object has id, name, attrs, children, comment)");
    }
    auto idIt = value.find("id");
    if (idIt == value.end())
        return Fail(where, "has no \"id\"");
    const std::optional<int32_t> id = Id(*idIt, where + ".id");
    if (!id)
        return nullptr;

    std::optional<std::string> name;
    if (auto it = value.find("name"); it != value.end()) {
        name = Text(*it, where + ".name");
        if (!name)
            return nullptr;
    }
    auto node = std::make_unique<ResNode>(*id, std::move(name));

    if (auto it = value.find("attrs"); it != value.end()) {
        if (!it->is_object())
            return Fail(where + ".attrs", std::string("must be an object, not ") + it->type_name());
        for (const auto& attr : it->items()) {
            const std::string attrWhere = where + ".attrs." + attr.key();
            std::optional<std::string> key = ToGbk(attr.key(), attrWhere);
            if (!key)
                return nullptr;
            std::optional<std::string> text = AttrValue(attr.value(), attrWhere);
            if (!text)
                return nullptr;
            node->SetAttr(std::move(*key), std::move(*text));
        }
    }
    if (auto it = value.find("comment"); it != value.end() && !it->is_string())
        return Fail(where + ".comment", std::string("must be a string, not ") + it->type_name());
    if (auto it = value.find("children"); it != value.end()) {
        if (!Children(*it, where + ".children", depth + 1, *node))
            return nullptr;
    }
    return node;
}

bool ScriptBuilder::Children(const json& value, const std::string& where, int depth,
                             ResNode& parent)
{
    if (!value.is_array()) {
        Fail(where, std::string("must be an array, not ") + value.type_name());
        return false;
    }
    for (size_t i = 0; i < value.size(); ++i) {
        std::unique_ptr<ResNode> child =
            Object(value[i], where + "[" + std::to_string(i) + "]", depth);
        if (!child)
            return false;
        parent.AddChild(std::move(child));
    }
    return true;
}

std::unique_ptr<ResNode> ScriptBuilder::Build(const json& doc, const char* password)
{
    if (!doc.is_object())
        return Fail("", std::string("the script must be a JSON object, not ") + doc.type_name());
    for (const auto& item : doc.items()) {
        const std::string& key = item.key();
        if (key != "password" && key != "objects" && key != "comment")
            return Fail("", "unknown top-level key " + Quoted(key) +
                                " (a script has password, objects, comment)");
    }
    auto pwIt = doc.find("password");
    if (pwIt == doc.end())
        return Fail("", "the script declares no password");
    const std::optional<std::string> declared = Text(*pwIt, "password");
    if (!declared)
        return nullptr;
    if (!password || *declared != password)
        return Fail("", "the password does not match the one asked for");

    auto objIt = doc.find("objects");
    if (objIt == doc.end())
        return Fail("", "the script has no \"objects\" array");
    auto root = std::make_unique<ResNode>(0, std::nullopt);
    if (!Children(*objIt, "objects", 1, *root))
        return nullptr;
    if (auto it = doc.find("comment"); it != doc.end() && !it->is_string())
        return Fail("comment", std::string("must be a string, not ") + it->type_name());
    return root;
}

}  // namespace

std::unique_ptr<ResNode> ParseScriptText(std::string_view text, const char* password,
                                         std::string& error)
{
    json doc;
    DismantleOnExit dismantle(doc);
    try {
        doc = json::parse(text.begin(), text.end());
    } catch (const json::exception& e) {
        // "[json.exception.parse_error.101] parse error at line 3, column 5: ..."
        std::string_view what = e.what();
        if (const size_t end = what.find("] "); what.starts_with("[json.") && end != what.npos)
            what.remove_prefix(end + 2);
        error = "malformed JSON: " + Printable(what);
        return nullptr;
    }
    ScriptBuilder builder;
    std::unique_ptr<ResNode> root = builder.Build(doc, password);
    if (!root)
        error = builder.Error();
    return root;
}

}  // namespace orvane::host
