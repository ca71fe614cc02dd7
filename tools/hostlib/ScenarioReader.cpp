#include <algorithm>
#include <limits>

#include "tools/hostlib/ModuleWindows.h"
#include "tools/hostlib/ScenarioParts.h"

namespace orvane::hostprog {

namespace {

// One day: longer runs of the virtual clock only risk a flood of timer ticks.
constexpr int64_t kMaxAdvanceMs = 86400000;

int32_t ReadWindow(const OpFields& fields)
{
    const int32_t id = fields.Int32("window");
    if (!IsModuleWindow(id))
        throw LineFault{"unknown window " + std::to_string(id) +
                        " (the module's windows are 163, 172, 174 and 175)"};
    return id;
}

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

std::string WindowLabel(int32_t id)
{
    return std::string(WindowRoleName(id)) + " " + std::to_string(id);
}

struct OpEntry {
    const char* name;
    OpKind kind;
};

const OpEntry kOps[] = {
    {"create", OpKind::Create},
    {"create-null", OpKind::CreateNull},
    {"close", OpKind::Close},
    {"call", OpKind::Call},
    {"server", OpKind::Server},
    {"talk", OpKind::Talk},
    {"tasklog", OpKind::TaskLog},
    {"advance", OpKind::Advance},
    {"click-link", OpKind::ClickLink},
    {"click", OpKind::Click},
    {"click-task", OpKind::ClickTask},
    {"key", OpKind::Key},
    {"confirm", OpKind::Confirm},
    {"note", OpKind::Note},
    {"destroy", OpKind::Destroy},
    {"dump", OpKind::Dump},
    {"file", OpKind::File},
    {"snapshot", OpKind::Snapshot},
    {"command", OpKind::Command},
    {"drag", OpKind::Drag},
    {"wheel", OpKind::Wheel},
    {"hover", OpKind::Hover},
};

std::string KnownOps()
{
    std::string list;
    for (const OpEntry& e : kOps)
        list += std::string(list.empty() ? "" : ", ") + e.name;
    return list;
}

// A file op names a file inside the work folder, never one outside it.
void CheckRelativeName(const std::string& name)
{
    if (name.empty())
        throw LineFault{"\"name\" must not be empty"};
    if (name.find('\0') != std::string::npos)
        throw LineFault{"\"name\" must not hold a zero character"};
    if (name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':'))
        throw LineFault{"\"name\" must be relative to the work folder, not \"" + name + "\""};
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            throw LineFault{"\"name\" must stay inside the work folder (no \"..\")"};
        start = end + 1;
    }
}

// A drag further than this leaves any screen; the toolkit keeps windows
// within 2^28 in any case.
constexpr int64_t kMaxDrag = 1 << 20;
// A wheel turned by more than this is a mistake, not a player.
constexpr int64_t kMaxNotches = 1000;

const char* CommandName(int32_t window, int32_t type)
{
    switch (type) {
        case 2:
            return window == 172 ? " (a task list)" : " (add a line)";
        case 3:
            return " (show)";
        case 4:
            return " (clear)";
        case 6:
            return " (pin with panel text)";
        case 100:
            return " (panel text)";
        default:
            return "";
    }
}

// The data of a command: a text (GBK, handed over with its zero byte), raw
// bytes as hex, or nothing (a null pointer).
void ReadCommand(const OpFields& f, Op& op)
{
    f.AllowOnly({"window", "type", "text", "hex", "param"});
    op.window = ReadWindow(f);
    op.number = f.Int32("type");
    op.param = f.Has("param") ? f.Int32("param") : 0;
    if (f.Has("text") && f.Has("hex"))
        throw LineFault{"op \"command\" takes \"text\" or \"hex\", not both"};
    std::string shown = "no data";
    if (f.Has("text") && !f.Get("text").is_null()) {
        op.text = f.Gbk("text");
        op.hasData = true;
        shown = "\"" + f.String("text") + "\"";
    } else if (f.Has("hex")) {
        std::string reason;
        const auto bytes = ParseHex(f.String("hex"), reason);
        if (!bytes)
            throw LineFault{f.Name("hex") + ": " + reason};
        op.text.assign(bytes->begin(), bytes->end());
        op.hasData = true;
        shown = std::to_string(bytes->size()) + " bytes";
    }
    // The task log reads param bytes of its data: never more than are given.
    if (op.window == 172 && op.param > 0 && static_cast<size_t>(op.param) > op.text.size())
        throw LineFault{
            "the task log reads \"param\" bytes of the data: " + std::to_string(op.param) +
            " is more than the " + std::to_string(op.text.size()) + " bytes given"};
    op.summary = "command " + std::to_string(op.number) + CommandName(op.window, op.number) +
                 " to the " + WindowLabel(op.window) + ": " + shown + ", param " +
                 std::to_string(op.param);
}

void ReadSimpleOp(const OpFields& f, Op& op)
{
    switch (op.kind) {
        case OpKind::Create:
            f.AllowOnly({});
            op.summary = "create the task client (CTaskClientHelper::Create with the host)";
            break;
        case OpKind::CreateNull:
            f.AllowOnly({});
            op.summary = "CTaskClientHelper::Create(nullptr)";
            break;
        case OpKind::Close:
            f.AllowOnly({});
            op.summary = "close the task client (CTaskClientHelper::Close)";
            break;
        case OpKind::Advance:
            f.AllowOnly({"ms"});
            op.ms = f.Int("ms", 0, kMaxAdvanceMs);
            op.summary = "advance the clock by " + std::to_string(op.ms) + " ms";
            break;
        case OpKind::Hover:
            f.AllowOnly({"window", "link"});
            op.window = ReadWindow(f);
            op.number = f.Int32("link");
            op.summary = "move the mouse over the line with link " + std::to_string(op.number) +
                         " in the " + WindowLabel(op.window) + (op.window == 172 ? " (story)" : "");
            break;
        case OpKind::ClickLink:
            f.AllowOnly({"window", "link"});
            op.window = ReadWindow(f);
            op.number = f.Int32("link");
            op.summary = "click the line with link " + std::to_string(op.number) + " in the " +
                         WindowLabel(op.window) + (op.window == 172 ? " (story)" : "");
            break;
        case OpKind::Click:
            f.AllowOnly({"window", "child"});
            op.window = ReadWindow(f);
            op.number = f.Int32("child");
            op.summary =
                "click child " + std::to_string(op.number) + " of the " + WindowLabel(op.window);
            break;
        case OpKind::ClickTask:
            f.AllowOnly({"index"});
            op.window = 172;
            op.number = static_cast<int32_t>(f.Int("index", 0, 9));
            op.summary = "click task button " + std::to_string(op.number) + " of the task log";
            break;
        case OpKind::Key:
            f.AllowOnly({"window"});
            op.window = ReadWindow(f);
            op.summary = "press the accelerator key of the " + WindowLabel(op.window);
            break;
        case OpKind::Confirm:
            f.AllowOnly({"answer"});
            op.number = f.Int32("answer");
            op.summary = "answer the confirmation box with " + std::to_string(op.number) +
                         (op.number == 1   ? " (yes)"
                          : op.number == 0 ? " (no)"
                                           : "");
            break;
        case OpKind::Note:
            f.AllowOnly({"text"});
            op.window = 172;
            op.text = f.Gbk("text");
            op.summary = "type into the note window of the task log: \"" + f.String("text") + "\"";
            break;
        case OpKind::Destroy:
            f.AllowOnly({"window", "release"});
            op.window = ReadWindow(f);
            if (f.Has("release")) {
                if (!f.Get("release").is_boolean())
                    throw LineFault{f.Name("release") + " must be true or false, not " +
                                    DescribeType(f.Get("release"))};
                op.release = f.Get("release").get<bool>();
            }
            op.summary = "the toolkit destroys the " + WindowLabel(op.window) +
                         (op.release ? "" : " without calling Release first");
            break;
        case OpKind::Command:
            ReadCommand(f, op);
            break;
        case OpKind::Drag:
            f.AllowOnly({"window", "dx", "dy"});
            op.window = ReadWindow(f);
            op.number = static_cast<int32_t>(f.Int("dx", -kMaxDrag, kMaxDrag));
            op.param = static_cast<int32_t>(f.Int("dy", -kMaxDrag, kMaxDrag));
            op.summary = "drag the " + WindowLabel(op.window) + " by (" +
                         std::to_string(op.number) + ", " + std::to_string(op.param) + ")";
            break;
        case OpKind::Wheel: {
            f.AllowOnly({"window", "notches"});
            op.window = ReadWindow(f);
            op.number = static_cast<int32_t>(f.Int("notches", -kMaxNotches, kMaxNotches));
            const int32_t n = op.number < 0 ? -op.number : op.number;
            op.summary = "turn the mouse wheel " + std::to_string(n) + " notch" +
                         (n == 1 ? "" : "es") + (op.number < 0 ? " up" : " down") +
                         " over the text of the " + WindowLabel(op.window);
            break;
        }
        case OpKind::Dump:
            f.AllowOnly({"window"});
            op.window = ReadWindow(f);
            op.summary = "show the " + WindowLabel(op.window);
            break;
        case OpKind::File:
            f.AllowOnly({"name"});
            op.path = f.String("name");
            CheckRelativeName(op.path);
            op.summary = "show the file " + op.path + " of the work folder";
            break;
        case OpKind::Snapshot:
            f.AllowOnly({"path"});
            op.path = f.String("path");
            if (op.path.empty() || op.path.find('\0') != std::string::npos)
                throw LineFault{"\"path\" must name a file"};
            op.summary = "picture of the desktop to " + op.path;
            break;
        default:
            break;
    }
}

}  // namespace

LineResult ReadScenarioLine(const std::string& raw, int lineNumber)
{
    LineResult result;
    std::string line = raw;
    if (lineNumber == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);  // a byte-order mark some editors write
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
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
            throw LineFault{"bad JSON: " +
                            (cut == std::string::npos ? what : what.substr(cut + 2))};
        }
        if (!object.is_object())
            throw LineFault{"a scenario line must be a JSON object, not " + DescribeType(object)};
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

        Op op;
        op.kind = entry->kind;
        op.line = lineNumber;
        op.name = name;
        const OpFields fields(object, name);
        switch (op.kind) {
            case OpKind::Call:
                ReadCall(fields, op);
                break;
            case OpKind::Server:
                ReadServer(fields, op);
                break;
            case OpKind::Talk:
                ReadTalk(fields, op);
                break;
            case OpKind::TaskLog:
                ReadTaskLog(fields, op);
                break;
            default:
                ReadSimpleOp(fields, op);
                break;
        }
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
