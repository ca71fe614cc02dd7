// One scenario line, read and checked: what orvane-host is to do. Every text
// in an Op is already GBK, every message already laid out as bytes, so that
// running it can no longer fail on the scenario's account.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::hostprog {

enum class OpKind {
    Create,
    CreateNull,
    Close,
    Call,
    Server,
    Talk,
    TaskLog,
    Advance,
    ClickLink,
    Click,
    ClickTask,
    Key,
    Confirm,
    Note,
    Destroy,
    Dump,
    File,
    Snapshot,
    Command,
    Drag,
    Wheel,
    Hover,
};

// The ITaskClient operations a `call` can name, in their slot order.
enum class ClientFn {
    GetTaskName,
    GetTaskDesc,
    GetTalkText,
    ReservedQuery,
    AddTalkLine,
    SetTalkWndPos,
    GetTalkWndRect,
    MoveTalkWnd,
    CreateClientTalkWnd,
    UpdateTaskList,
    CreateClientLogWnd,
    SetLogWndPos,
    GetLogWndRect,
    MoveLogWnd,
    HideLogWnd,
    InitTaskObserver,
    Release,
};

// An argument of a `call`, already matched to the operation's signature.
struct CallArg {
    enum class Kind { Int, Text, NullText, Rect, HostCallback, NullCallback, TaskList, NullList };
    Kind kind = Kind::Int;
    int32_t number = 0;
    std::string text;                // GBK
    std::array<int32_t, 4> rect{};   // left, top, right, bottom
    std::array<int32_t, 11> list{};  // count, then ten task ids
};

struct Op {
    OpKind kind = OpKind::Create;
    int line = 0;
    std::string name;  // the op as written in the scenario
    std::string fn;    // call: the ITaskClient operation
    ClientFn fnId = ClientFn::GetTaskName;
    std::vector<CallArg> args;
    int32_t msg = 0;  // server, talk (87), tasklog (91)
    std::vector<uint8_t> bytes;
    int64_t ms = 0;
    int32_t window = 0;
    int32_t number = 0;    // link, child, index, answer, command type, wheel notches; drag: dx
    int32_t param = 0;     // command: param; drag: dy
    bool release = true;   // destroy: Release first, else the destructor alone
    bool hasData = false;  // command: text or hex given (else a null pointer)
    std::string text;      // note, command: GBK (command: the bytes handed over)
    std::string path;      // file name or snapshot path, as written (UTF-8)
    std::string summary;   // a short description for the readable transcript
};

// What reading one line gave: nothing to do, a comment, an op, or a fault.
struct LineResult {
    enum class Kind { Blank, Comment, Op, Error };
    Kind kind = Kind::Blank;
    std::string text;  // comment text (UTF-8, without '#') or the fault
    Op op;
};

// Reads one scenario line (line numbers count from 1). Never throws.
LineResult ReadScenarioLine(const std::string& line, int lineNumber);

// Parses hex digits (spaces allowed between them); nullopt with a reason
// when a digit is bad or their number is odd.
std::optional<std::vector<uint8_t>> ParseHex(const std::string& text, std::string& reason);
std::string ToHex(const std::vector<uint8_t>& bytes);
std::string ToHex(const std::string& bytes);

}  // namespace orvane::hostprog
