// The task client's own window callback: settles a pick from the task menu
// locally and answers talk choices and task deletions with packets.
#pragma once

#include <cstdint>

#include "client/HostInterfaces.h"
#include "client/WindowIds.h"
#include "net/FunctionTasks.h"

class CTaskClient;
class CTaskTalkSequencer;

class CTaskWndCallback : public IWndCallback {
public:
    // Task ids from here on are function tasks.
    static constexpr int32_t kFunctionTaskID = orvane::kFunctionTaskFirstID;

    explicit CTaskWndCallback(CTaskClient* client);
    virtual ~CTaskWndCallback();
    // False only when an answer or a deletion could not be sent, or a
    // function task is missing from a full table; every other event is true.
    // Allocates nothing: packets are built on the stack or in a static buffer.
    bool OnEvent(int32_t code, int32_t type, int32_t value, int32_t extra) override;

private:
    CTaskTalkSequencer* Sequencer() const;
    bool OnTalkLink(int32_t value);
    bool OnTaskDelete(int32_t taskID);
    bool OnFunctionTaskDelete(int32_t taskID);

    CTaskClient* m_pClient;
};
