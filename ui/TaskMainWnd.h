// The base of the module's top-level windows: a toolkit main window that
// also takes window commands.
#pragma once

#include <cstdint>

#include "ui/Panelkit.h"

// Command types of OnCommand.
enum TaskWndCommand : int32_t {
    kCmdAddLine = 2,   // data: text, param: link value
    kCmdTaskList = 2,  // to the task log: data: message 91's bytes, param: their length
    kCmdShow = 3,
    kCmdClear = 4,
    kCmdPin = 6,          // data: panel text or null
    kCmdPanelText = 100,  // data: panel text
};

class ITaskWnd {
public:
    virtual bool OnCommand(int32_t type, const void* data, int32_t param) = 0;

protected:
    ~ITaskWnd() = default;
};

class CTaskMainWnd : public XMainWnd, public ITaskWnd {
public:
    CTaskMainWnd() = default;
};
