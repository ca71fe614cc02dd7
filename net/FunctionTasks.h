// Function tasks: task ids of 16777215 and up whose deletion is a server
// script call instead of a task delete packet. The table is module-wide and
// zero at load.
//
// Where entries come from: only the game folder's task script can declare
// them. A top-level entry of the task script with an id of 16777215 or more
// and an attribute "function" is a function task; the attribute's value is
// the system name sent in the script call, 1 to 10 bytes (a 10-byte name
// fills its slot without a terminating zero). Longer or empty names are
// refused, not cut; an id already taken is skipped; at most ten entries are
// taken, in script order. Without such entries the table stays empty and a
// function task's deletion sends nothing.
#pragma once

#include <cstdint>

class IResScript;

struct FunctionTaskEntry {
    int32_t nID;      // 0 marks a free entry and the end of the entries in use
    char szName[10];  // zero-terminated when shorter than 10 bytes
};

constexpr int kFunctionTaskCount = 10;

namespace orvane {

extern FunctionTaskEntry g_FunctionTasks[kFunctionTaskCount];

// Where the script call is built: zero at load, reused without being cleared
// (only the bytes written are sent).
constexpr int32_t kScriptCallBufferSize = 1024;
extern uint8_t g_ScriptCallBuffer[kScriptCallBufferSize];

// The first task id that is a function task.
constexpr int32_t kFunctionTaskFirstID = 16777215;
// The task script entry attribute that names a function task's system.
constexpr const char kFunctionTaskAttr[] = "function";

// Zeroes the table (module load).
void ClearFunctionTasks();

// Empties the table and fills it from the task script's top-level entries
// (see above). A null script leaves the table empty.
void LoadFunctionTasks(IResScript* script);

enum class FunctionTaskMatch {
    NotListed,  // the walk reached a free entry first
    Found,      // *entry is the first entry with that id
    TableFull,  // all ten entries are in use and none has that id
};

// Walks the table from its first entry; *entry is set only when Found.
FunctionTaskMatch FindFunctionTask(int32_t id, const FunctionTaskEntry** entry);

// Builds the server script call (main type 22, sub type 0) for entry in
// g_ScriptCallBuffer and sends it. taskName may be null (sent empty). True
// when it went to the host's network sender.
bool SendFunctionTaskCall(const FunctionTaskEntry& entry, const char* taskName);

}  // namespace orvane
