#include <algorithm>
#include <limits>

#include "tools/hostlib/ScenarioParts.h"

namespace orvane::hostprog {

namespace {

// A zero byte would end the line early for the JSON reader, and nesting
// without end would exhaust the stack of anything that walks the values.
constexpr int kMaxNesting = 64;

void CheckLineShape(const std::string& line)
{
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\0')
            throw LineFault{"the line holds a zero byte at column " + std::to_string(i + 1)};
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxNesting)
                throw LineFault{"values nested deeper than " + std::to_string(kMaxNesting) +
                                " levels at column " + std::to_string(i + 1)};
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
}

struct OpEntry {
    const char* name;
    OpKind kind;
    void (*read)(const OpFields&, Op&);
};

const OpEntry kOps[] = {
    {"create", OpKind::Create, ReadSimpleOp},
    {"create-null", OpKind::CreateNull, ReadSimpleOp},
    {"close", OpKind::Close, ReadSimpleOp},
    {"call", OpKind::Call, ReadCall},
    {"server", OpKind::Server, ReadServer},
    {"talk", OpKind::Talk, ReadTalk},
    {"tasklog", OpKind::TaskLog, ReadTaskLog},
    {"advance", OpKind::Advance, ReadSimpleOp},
    {"click-link", OpKind::ClickLink, ReadSimpleOp},
    {"click", OpKind::Click, ReadSimpleOp},
    {"click-task", OpKind::ClickTask, ReadSimpleOp},
    {"key", OpKind::Key, ReadSimpleOp},
    {"confirm", OpKind::Confirm, ReadSimpleOp},
    {"note", OpKind::Note, ReadSimpleOp},
    {"destroy", OpKind::Destroy, ReadSimpleOp},
    {"dump", OpKind::Dump, ReadSimpleOp},
    {"file", OpKind::File, ReadSimpleOp},
    {"snapshot", OpKind::Snapshot, ReadSimpleOp},
    {"command", OpKind::Command, ReadSimpleOp},
    {"drag", OpKind::Drag, ReadSimpleOp},
    {"wheel", OpKind::Wheel, ReadSimpleOp},
    {"hover", OpKind::Hover, ReadSimpleOp},
};

std::string KnownOps()
{
    std::string list;
    for (const OpEntry& e : kOps)
        list += std::string(list.empty() ? "" : ", ") + e.name;
    return list;
}

// The line without what editors add around it: a byte-order mark at the
// start of the file, carriage returns and blanks at the end.
std::string TrimLine(const std::string& raw, int lineNumber)
{
    std::string line = raw;
    if (lineNumber == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);  // a byte-order mark some editors write
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    return line;
}

nlohmann::json ParseObject(const std::string& line)
{
    CheckLineShape(line);
    nlohmann::json object;
    try {
        object = nlohmann::json::parse(line);
    } catch (const nlohmann::json::parse_error& e) {
        // The parser speaks of "line 1"; only the column means something here.
        std::string what = e.what();
        const size_t column = what.find("column ");
        if (column != std::string::npos)
            throw LineFault{"bad JSON at " + what.substr(column)};
        const size_t cut = what.find("] ");
        throw LineFault{"bad JSON: " + (cut == std::string::npos ? what : what.substr(cut + 2))};
    }
    if (!object.is_object())
        throw LineFault{"a scenario line must be a JSON object, not " + DescribeType(object)};
    return object;
}

const OpEntry& FindOp(const nlohmann::json& object)
{
    auto opIt = object.find("op");
    if (opIt == object.end())
        throw LineFault{"the line has no \"op\" key"};
    if (!opIt->is_string())
        throw LineFault{"\"op\" must be a string, not " + DescribeType(*opIt)};
    const std::string name = opIt->get<std::string>();
    const OpEntry* entry = nullptr;
    for (const OpEntry& e : kOps)
        entry = (name == e.name) ? &e : entry;
    if (entry == nullptr)
        throw LineFault{"unknown op \"" + name + "\" (known ops: " + KnownOps() + ")"};
    return *entry;
}

}  // namespace

LineResult ReadScenarioLine(const std::string& raw, int lineNumber)
{
    LineResult result;
    const std::string line = TrimLine(raw, lineNumber);
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos)
        return result;
    if (line[first] == '#') {
        result.kind = LineResult::Kind::Comment;
        result.text = line.substr(first + 1);
        if (!result.text.empty() && result.text[0] == ' ')
            result.text.erase(0, 1);
        return result;
    }
    try {
        const nlohmann::json object = ParseObject(line);
        const OpEntry& entry = FindOp(object);
        Op op;
        op.kind = entry.kind;
        op.line = lineNumber;
        op.name = entry.name;
        const OpFields fields(object, op.name);
        entry.read(fields, op);
        result.kind = LineResult::Kind::Op;
        result.op = std::move(op);
    } catch (const LineFault& fault) {
        result.kind = LineResult::Kind::Error;
        result.text = fault.text;
    } catch (const std::exception& e) {
        result.kind = LineResult::Kind::Error;
        result.text = std::string("the line cannot be read: ") + e.what();
    }
    return result;
}

}  // namespace orvane::hostprog
