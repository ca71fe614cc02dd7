#include "net/FunctionTasks.h"

#include <cstring>

#include "client/DebugLog.h"
#include "client/HostInterfaces.h"
#include "net/PacketBuffer.h"
#include "net/PacketFraming.h"

namespace orvane {

FunctionTaskEntry g_FunctionTasks[kFunctionTaskCount];
uint8_t g_ScriptCallBuffer[kScriptCallBufferSize];

namespace {

constexpr uint16_t kScriptCallMainType = 22;
constexpr uint16_t kScriptCallSubType = 0;
constexpr uint8_t kScriptCallPairCount = 3;
constexpr size_t kNameSize = sizeof(FunctionTaskEntry::szName);

// The length of a slot's name: up to its first zero, at most the slot.
size_t NameLength(const char (&name)[kNameSize])
{
    size_t n = 0;
    while (n < kNameSize && name[n] != '\0')
        ++n;
    return n;
}

bool IsTaken(int32_t id, int used)
{
    for (int i = 0; i < used; ++i)
        if (g_FunctionTasks[i].nID == id)
            return true;
    return false;
}

}  // namespace

void ClearFunctionTasks()
{
    for (FunctionTaskEntry& entry : g_FunctionTasks) {
        entry.nID = 0;
        std::memset(entry.szName, 0, sizeof entry.szName);
    }
}

void LoadFunctionTasks(IResScript* script)
{
    ClearFunctionTasks();
    IResObject* root = script != nullptr ? script->GetRoot() : nullptr;
    if (root == nullptr)
        return;
    int used = 0;
    const int32_t count = root->GetChildCount();
    for (int32_t i = 0; i < count; ++i) {
        IResObject* child = root->GetChild(i);
        if (child == nullptr)
            continue;
        const int32_t id = child->GetID();
        const char* name = child->GetAttr(kFunctionTaskAttr);
        if (id < kFunctionTaskFirstID || name == nullptr)
            continue;
        const size_t length = std::strlen(name);
        if (length == 0 || length > kNameSize) {
            WriteDebugLog(g_LogSink, "LoadFunctionTasks() task %d : function name refused", id);
            continue;
        }
        if (IsTaken(id, used))
            continue;
        if (used == kFunctionTaskCount) {
            WriteDebugLog(g_LogSink, "LoadFunctionTasks() task %d : table full", id);
            continue;
        }
        g_FunctionTasks[used].nID = id;
        std::memcpy(g_FunctionTasks[used].szName, name, length);
        ++used;
    }
}

FunctionTaskMatch FindFunctionTask(int32_t id, const FunctionTaskEntry** entry)
{
    for (const FunctionTaskEntry& slot : g_FunctionTasks) {
        if (slot.nID == 0)
            return FunctionTaskMatch::NotListed;
        if (slot.nID == id) {
            if (entry != nullptr)
                *entry = &slot;
            return FunctionTaskMatch::Found;
        }
    }
    return FunctionTaskMatch::TableFull;
}

bool SendFunctionTaskCall(const FunctionTaskEntry& entry, const char* taskName)
{
    // The slot's name with its terminating zero, even when it fills the slot.
    char systemName[kNameSize + 1] = {};
    std::memcpy(systemName, entry.szName, NameLength(entry.szName));

    CPacketBuffer buf(g_ScriptCallBuffer, kScriptCallBufferSize);
    WritePacketHeader(buf, kScriptCallMainType, kScriptCallSubType);
    WriteText(buf, "Task_Mgr.py");
    WriteU8(buf, kScriptCallPairCount);
    WriteText(buf, "funcflag");
    WriteText(buf, "quit");
    WriteText(buf, "tasksysname");
    WriteText(buf, systemName);
    WriteText(buf, "taskshowname");
    // A name too long for the buffer goes out empty, so that the last pair
    // still ends with its zero.
    if (!WriteText(buf, taskName))
        WriteU8(buf, 0);
    return SendToServer(g_ScriptCallBuffer, buf.GetLength());
}

}  // namespace orvane
