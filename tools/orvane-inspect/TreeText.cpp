#include "tools/orvane-inspect/TreeText.h"

#include <iomanip>
#include <ostream>
#include <sstream>

namespace orvane::inspect {

namespace {

constexpr size_t kRawShown = 16;  // bytes; longer fields end in "..."

std::string Value(const Json& v)
{
    if (v.is_object() && v.contains("hex"))
        return "hex " + v["hex"].get<std::string>() + " (not GBK)";
    if (v.is_null())
        return "null";
    return v.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string Pad(size_t depth)
{
    return std::string(2 * depth, ' ');
}

void WriteField(std::ostream& out, const Json& node, size_t depth);

void WriteChildren(std::ostream& out, const Json& node, size_t depth)
{
    if (node.contains("fields"))
        for (const Json& child : node["fields"])
            WriteField(out, child, depth);
    if (node.contains("rules"))
        for (const Json& rule : node["rules"])
            out << Pad(depth) << (rule["holds"].get<bool>() ? "[ok]  " : "[no]  ")
                << rule["rule"].get<std::string>() << "\n";
    if (node.contains("verdict"))
        out << Pad(depth) << "=> " << node["verdict"].get<std::string>() << "\n";
    for (const char* key : {"text", "name", "story"})
        if (node.contains(key) && node[key].is_object() && node[key].contains("field"))
            WriteField(out, node[key], depth);
    if (node.contains("entries"))
        for (const Json& child : node["entries"])
            WriteField(out, child, depth);
}

void WriteField(std::ostream& out, const Json& node, size_t depth)
{
    std::ostringstream head;
    head << Pad(depth) << "@" << node["offset"].get<size_t>();
    std::string raw = node.value("raw", "");
    if (raw.size() > 2 * kRawShown)
        raw = raw.substr(0, 2 * kRawShown) + "...";
    out << std::left << std::setw(12) << head.str() << std::right << std::setw(5)
        << node["width"].get<size_t>() << "  " << std::left << std::setw(2 * kRawShown + 5) << raw
        << node["field"].get<std::string>();
    if (node.contains("value") && !node["value"].is_null())
        out << " = " << Value(node["value"]);
    if (node.contains("class"))
        out << "  [" << node["class"].get<std::string>() << "]";
    if (node.contains("absent"))
        out << "  (" << node["absent"].get<std::string>() << ")";
    out << "\n";
    if (node.contains("note"))
        out << Pad(depth + 1) << "note: " << node["note"].get<std::string>() << "\n";
    WriteChildren(out, node, depth + 1);
}

// JSON keys are snake_case; the readable form spells them out.
std::string Spelled(const std::string& key)
{
    std::string out = key;
    for (char& c : out)
        if (c == '_')
            c = ' ';
    return out;
}

bool Scalar(const Json& v)
{
    return !v.is_structured() || (v.is_object() && v.contains("hex") && v.size() == 1);
}

std::string Inline(const Json& object)
{
    std::string line;
    for (const auto& item : object.items())
        line += (line.empty() ? "" : ", ") + Spelled(item.key()) + " " +
                (Scalar(item.value()) ? Value(item.value()) : item.value().dump());
    return line;
}

void WriteValue(std::ostream& out, const std::string& name, const Json& v, size_t depth)
{
    const std::string key = Spelled(name);
    if (Scalar(v)) {
        out << Pad(depth) << key << ": " << Value(v) << "\n";
        return;
    }
    if (v.is_array()) {
        if (v.empty()) {
            out << Pad(depth) << key << ": none\n";
            return;
        }
        out << Pad(depth) << key << ":\n";
        for (const Json& item : v)
            out << Pad(depth + 1) << "- "
                << (item.is_object() && !Scalar(item) ? Inline(item) : Value(item)) << "\n";
        return;
    }
    out << Pad(depth) << key << ":\n";
    for (const auto& item : v.items())
        WriteValue(out, item.key(), item.value(), depth + 1);
}

}  // namespace

void WriteReportText(std::ostream& out, const Json& report)
{
    out << "message " << report["message"].get<int>() << " (" << report["name"].get<std::string>()
        << "), " << report["length"].get<size_t>() << " bytes";
    if (report.contains("line"))
        out << ", scenario line " << report["line"].get<int>();
    out << "\n";
    out << std::left << std::setw(12) << "offset" << std::right << std::setw(5) << "width"
        << "  " << std::left << std::setw(2 * kRawShown + 5) << "raw"
        << "field\n";
    for (const Json& node : report["fields"])
        WriteField(out, node, 0);
    out << "effects\n";
    for (const auto& item : report["effects"].items())
        WriteValue(out, item.key(), item.value(), 1);
    if (!report["notes"].empty()) {
        out << "notes\n";
        for (const Json& note : report["notes"])
            out << "  - " << note.get<std::string>() << "\n";
    }
    if (report["accepted_as_sent"].get<bool>()) {
        out << "verdict: accepted as sent\n";
    } else {
        out << "verdict: something rejected, skipped or lost\n";
        for (const Json& l : report["lost"])
            out << "  - " << l.get<std::string>() << "\n";
    }
}

}  // namespace orvane::inspect
