// The ops of a key or two: the client's life, the clock, what the player
// does at the desktop and what the host shows. Each reader refuses keys it
// does not take and words the op's summary for the transcript.
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

std::string WindowLabel(int32_t id)
{
    return std::string(WindowRoleName(id)) + " " + std::to_string(id);
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

void ReadClientLife(const OpFields& f, Op& op)
{
    f.AllowOnly({});
    op.summary = op.kind == OpKind::Create
                     ? "create the task client (CTaskClientHelper::Create with the host)"
                 : op.kind == OpKind::CreateNull
                     ? "CTaskClientHelper::Create(nullptr)"
                     : "close the task client (CTaskClientHelper::Close)";
}

void ReadAdvance(const OpFields& f, Op& op)
{
    f.AllowOnly({"ms"});
    op.ms = f.Int("ms", 0, kMaxAdvanceMs);
    op.summary = "advance the clock by " + std::to_string(op.ms) + " ms";
}

// Hovering over a link and clicking one: the task log's links are in its story.
void ReadLinkOp(const OpFields& f, Op& op)
{
    f.AllowOnly({"window", "link"});
    op.window = ReadWindow(f);
    op.number = f.Int32("link");
    op.summary = std::string(op.kind == OpKind::Hover ? "move the mouse over the line with link "
                                                      : "click the line with link ") +
                 std::to_string(op.number) + " in the " + WindowLabel(op.window) +
                 (op.window == 172 ? " (story)" : "");
}

void ReadClickChild(const OpFields& f, Op& op)
{
    f.AllowOnly({"window", "child"});
    op.window = ReadWindow(f);
    op.number = f.Int32("child");
    op.summary = "click child " + std::to_string(op.number) + " of the " + WindowLabel(op.window);
}

void ReadClickTask(const OpFields& f, Op& op)
{
    f.AllowOnly({"index"});
    op.window = 172;
    op.number = static_cast<int32_t>(f.Int("index", 0, 9));
    op.summary = "click task button " + std::to_string(op.number) + " of the task log";
}

void ReadKey(const OpFields& f, Op& op)
{
    f.AllowOnly({"window"});
    op.window = ReadWindow(f);
    op.summary = "press the accelerator key of the " + WindowLabel(op.window);
}

void ReadConfirm(const OpFields& f, Op& op)
{
    f.AllowOnly({"answer"});
    op.number = f.Int32("answer");
    op.summary = "answer the confirmation box with " + std::to_string(op.number) +
                 (op.number == 1   ? " (yes)"
                  : op.number == 0 ? " (no)"
                                   : "");
}

void ReadNote(const OpFields& f, Op& op)
{
    f.AllowOnly({"text"});
    op.window = 172;
    op.text = f.Gbk("text");
    op.summary = "type into the note window of the task log: \"" + f.String("text") + "\"";
}

void ReadDestroy(const OpFields& f, Op& op)
{
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
}

void ReadDrag(const OpFields& f, Op& op)
{
    f.AllowOnly({"window", "dx", "dy"});
    op.window = ReadWindow(f);
    op.number = static_cast<int32_t>(f.Int("dx", -kMaxDrag, kMaxDrag));
    op.param = static_cast<int32_t>(f.Int("dy", -kMaxDrag, kMaxDrag));
    op.summary = "drag the " + WindowLabel(op.window) + " by (" + std::to_string(op.number) + ", " +
                 std::to_string(op.param) + ")";
}

void ReadWheel(const OpFields& f, Op& op)
{
    f.AllowOnly({"window", "notches"});
    op.window = ReadWindow(f);
    op.number = static_cast<int32_t>(f.Int("notches", -kMaxNotches, kMaxNotches));
    const int32_t n = op.number < 0 ? -op.number : op.number;
    op.summary = "turn the mouse wheel " + std::to_string(n) + " notch" + (n == 1 ? "" : "es") +
                 (op.number < 0 ? " up" : " down") + " over the text of the " +
                 WindowLabel(op.window);
}

void ReadDump(const OpFields& f, Op& op)
{
    f.AllowOnly({"window"});
    op.window = ReadWindow(f);
    op.summary = "show the " + WindowLabel(op.window);
}

void ReadFile(const OpFields& f, Op& op)
{
    f.AllowOnly({"name"});
    op.path = f.String("name");
    CheckRelativeName(op.path);
    op.summary = "show the file " + op.path + " of the work folder";
}

void ReadSnapshot(const OpFields& f, Op& op)
{
    f.AllowOnly({"path"});
    op.path = f.String("path");
    if (op.path.empty() || op.path.find('\0') != std::string::npos)
        throw LineFault{"\"path\" must name a file"};
    op.summary = "picture of the desktop to " + op.path;
}

struct SimpleReader {
    OpKind kind;
    void (*read)(const OpFields&, Op&);
};

const SimpleReader kSimpleReaders[] = {
    {OpKind::Create, ReadClientLife}, {OpKind::CreateNull, ReadClientLife},
    {OpKind::Close, ReadClientLife},  {OpKind::Advance, ReadAdvance},
    {OpKind::Hover, ReadLinkOp},      {OpKind::ClickLink, ReadLinkOp},
    {OpKind::Click, ReadClickChild},  {OpKind::ClickTask, ReadClickTask},
    {OpKind::Key, ReadKey},           {OpKind::Confirm, ReadConfirm},
    {OpKind::Note, ReadNote},         {OpKind::Destroy, ReadDestroy},
    {OpKind::Command, ReadCommand},   {OpKind::Drag, ReadDrag},
    {OpKind::Wheel, ReadWheel},       {OpKind::Dump, ReadDump},
    {OpKind::File, ReadFile},         {OpKind::Snapshot, ReadSnapshot},
};

}  // namespace

void ReadSimpleOp(const OpFields& fields, Op& op)
{
    for (const SimpleReader& reader : kSimpleReaders) {
        if (reader.kind == op.kind) {
            reader.read(fields, op);
            return;
        }
    }
}

}  // namespace orvane::hostprog
