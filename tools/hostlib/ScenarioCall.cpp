// The `call` op: an ITaskClient operation by name, its arguments checked
// against the operation's signature.
#include <limits>

#include "tools/hostlib/ScenarioParts.h"

namespace orvane::hostprog {

namespace {

enum class ArgType { Int, Text, Rect, RectToFill, Callback, TaskList };

struct FnEntry {
    const char* name;
    ClientFn fn;
    std::vector<ArgType> args;
};

const std::vector<FnEntry>& Functions()
{
    static const std::vector<FnEntry> table = {
        {"GetTaskName", ClientFn::GetTaskName, {ArgType::Int}},
        {"GetTaskDesc", ClientFn::GetTaskDesc, {ArgType::Int}},
        {"GetTalkText", ClientFn::GetTalkText, {ArgType::Int}},
        {"ReservedQuery", ClientFn::ReservedQuery, {ArgType::Int}},
        {"AddTalkLine", ClientFn::AddTalkLine, {ArgType::Text, ArgType::Int}},
        {"SetTalkWndPos", ClientFn::SetTalkWndPos, {ArgType::Rect}},
        {"GetTalkWndRect", ClientFn::GetTalkWndRect, {ArgType::RectToFill}},
        {"MoveTalkWnd", ClientFn::MoveTalkWnd, {ArgType::Int, ArgType::Int}},
        {"CreateClientTalkWnd", ClientFn::CreateClientTalkWnd, {ArgType::Int, ArgType::Callback}},
        {"UpdateTaskList", ClientFn::UpdateTaskList, {ArgType::TaskList}},
        {"CreateClientLogWnd", ClientFn::CreateClientLogWnd, {}},
        {"SetLogWndPos", ClientFn::SetLogWndPos, {ArgType::Rect}},
        {"GetLogWndRect", ClientFn::GetLogWndRect, {ArgType::RectToFill}},
        {"MoveLogWnd", ClientFn::MoveLogWnd, {ArgType::Int, ArgType::Int}},
        {"HideLogWnd", ClientFn::HideLogWnd, {}},
        {"InitTaskObserver", ClientFn::InitTaskObserver, {}},
        {"Release", ClientFn::Release, {}},
    };
    return table;
}

constexpr int64_t kI32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kI32Max = std::numeric_limits<int32_t>::max();

int32_t Int32Of(const nlohmann::json& v, const std::string& what)
{
    return static_cast<int32_t>(IntegerValue(v, what, kI32Min, kI32Max));
}

std::array<int32_t, 4> RectOf(const nlohmann::json& v, const std::string& what)
{
    if (!v.is_array() || v.size() != 4)
        throw LineFault{
            what + " must be a rectangle [left, top, right, bottom], not " +
            (v.is_array() ? "an array of " + std::to_string(v.size()) : DescribeType(v))};
    std::array<int32_t, 4> rect{};
    for (size_t i = 0; i < 4; ++i)
        rect[i] = Int32Of(v[i], what + " item " + std::to_string(i + 1));
    return rect;
}

std::string Signature(const FnEntry& e)
{
    std::string s = std::string(e.name) + "(";
    for (size_t i = 0; i < e.args.size(); ++i) {
        static const char* names[] = {"number",           "text",
                                      "[l,t,r,b]",        "[l,t,r,b] (optional)",
                                      "\"host\" or null", "count, id1, ..., id10"};
        s += (i ? ", " : "") + std::string(names[static_cast<int>(e.args[i])]);
    }
    return s + ")";
}

// UpdateTaskList takes the record flat: [count, id1, ..., id10] (missing ids
// are 0), or [null] for a null pointer.
CallArg TaskListArg(const nlohmann::json& args, const std::string& fn)
{
    CallArg arg;
    if (args.size() == 1 && args[0].is_null()) {
        arg.kind = CallArg::Kind::NullList;
        return arg;
    }
    if (args.empty() || args.size() > 11)
        throw LineFault{fn + " takes [count, id1, ..., id10]: 1 to 11 numbers, not " +
                        std::to_string(args.size())};
    arg.kind = CallArg::Kind::TaskList;
    for (size_t i = 0; i < args.size(); ++i)
        arg.list[i] = Int32Of(args[i], i == 0 ? "the count" : "id " + std::to_string(i));
    return arg;
}

std::string ArgsText(const nlohmann::json& args)
{
    std::string s;
    for (const auto& a : args)
        s += (s.empty() ? "" : ", ") + a.dump();
    return s;
}

}  // namespace

void ReadCall(const OpFields& fields, Op& op)
{
    fields.AllowOnly({"fn", "args"});
    op.fn = fields.String("fn");
    const FnEntry* entry = nullptr;
    for (const FnEntry& e : Functions())
        entry = op.fn == e.name ? &e : entry;
    if (entry == nullptr) {
        std::string list;
        for (const FnEntry& e : Functions())
            list += std::string(list.empty() ? "" : ", ") + e.name;
        throw LineFault{"ITaskClient has no operation \"" + op.fn + "\" (its operations: " + list +
                        ")"};
    }
    op.fnId = entry->fn;
    static const nlohmann::json kNoArgs = nlohmann::json::array();
    const nlohmann::json& args = fields.Has("args") ? fields.Array("args") : kNoArgs;
    op.summary = "call " + op.fn + "(" + ArgsText(args) + ")";

    if (entry->args.size() == 1 && entry->args[0] == ArgType::TaskList) {
        op.args.push_back(TaskListArg(args, op.fn));
        return;
    }
    const bool optionalLast = !entry->args.empty() && entry->args.back() == ArgType::RectToFill;
    const size_t needed = entry->args.size() - (optionalLast ? 1 : 0);
    if (args.size() < needed || args.size() > entry->args.size())
        throw LineFault{op.fn + " takes " + std::to_string(entry->args.size()) +
                        " argument(s), not " + std::to_string(args.size()) + ": " +
                        Signature(*entry)};
    for (size_t i = 0; i < entry->args.size(); ++i) {
        const std::string what = op.fn + " argument " + std::to_string(i + 1);
        CallArg arg;
        const bool given = i < args.size();
        switch (entry->args[i]) {
            case ArgType::Int:
                arg.kind = CallArg::Kind::Int;
                arg.number = Int32Of(args[i], what);
                break;
            case ArgType::Text:
                if (args[i].is_null()) {
                    arg.kind = CallArg::Kind::NullText;
                } else {
                    arg.kind = CallArg::Kind::Text;
                    arg.text = GbkText(args[i], what);
                }
                break;
            case ArgType::Rect:
                arg.kind = CallArg::Kind::Rect;
                arg.rect = RectOf(args[i], what);
                break;
            case ArgType::RectToFill:
                arg.kind = CallArg::Kind::Rect;
                if (given)
                    arg.rect = RectOf(args[i], what);
                break;
            case ArgType::Callback:
                if (args[i].is_null()) {
                    arg.kind = CallArg::Kind::NullCallback;
                } else if (args[i].is_string() && args[i].get<std::string>() == "host") {
                    arg.kind = CallArg::Kind::HostCallback;
                } else {
                    throw LineFault{what + " must be \"host\" or null, not " + args[i].dump()};
                }
                break;
            case ArgType::TaskList:
                break;
        }
        op.args.push_back(arg);
    }
}

}  // namespace orvane::hostprog
