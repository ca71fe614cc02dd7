// The task client as the host sees it. The host calls these operations by
// their position: never reorder them or add one before Release.
#pragma once

#include <cstdint>
#include <new>

#include "client/HostInterfaces.h"
#include "platform/Win32.h"
#include "tasks/TaskRecords.h"

class XWindow;

class ITaskClient {
public:
    virtual const char* GetTaskName(int32_t id) = 0;
    virtual const char* GetTaskDesc(int32_t id) = 0;
    virtual const char* GetTalkText(int32_t id) = 0;
    virtual const char* ReservedQuery(int32_t value) = 0;
    virtual bool AddTalkLine(const char* text, int32_t link) = 0;
    virtual void SetTalkWndPos(RECT& rc) = 0;
    virtual void GetTalkWndRect(RECT& rc) = 0;
    virtual void MoveTalkWnd(int32_t dx, int32_t dy) = 0;
    virtual XWindow* CreateClientTalkWnd(int32_t id, IWndCallback* callback) = 0;
    virtual bool UpdateTaskList(TaskListRecord* list) = 0;
    virtual bool CreateClientLogWnd() = 0;
    virtual void SetLogWndPos(RECT& rc) = 0;
    virtual void GetLogWndRect(RECT& rc) = 0;
    virtual void MoveLogWnd(int32_t dx, int32_t dy) = 0;
    virtual void HideLogWnd() = 0;
    virtual void InitTaskObserver() = 0;
    // Frees the object's memory only; a real client overrides it.
    virtual void Release() { ::operator delete(this); }

protected:
    ~ITaskClient() = default;
};
