// The task client's own window callback: settles a pick from the task menu
// locally and answers talk choices and task deletions with packets.
#pragma once

#include <cstdint>

#include "client/HostInterfaces.h"

class CTaskClient;

class CTaskWndCallback : public IWndCallback {
public:
    static constexpr int32_t kTalkCode = 163;
    static constexpr int32_t kLogCode = 172;
    static constexpr int32_t kLinkEvent = 1;
    static constexpr int32_t kDeleteEvent = 7;
    // Task ids from here on are function tasks.
    static constexpr int32_t kFunctionTaskID = 16777215;

    explicit CTaskWndCallback(CTaskClient* client);
    virtual ~CTaskWndCallback();
    bool OnEvent(int32_t code, int32_t type, int32_t value, int32_t extra) override;

    CTaskClient* m_pClient;
};
