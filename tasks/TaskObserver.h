// Receives the server's task messages 87 (NPC talk) and 91 (task log)
// through the host's message registry, stores them in the client's records
// and shows the talk pages in the NPC talk window.
#pragma once

#include <cstdint>

#include "client/HostInterfaces.h"
#include "tasks/TaskRecords.h"

class CTaskClient;

namespace orvane {
class StateView;
}

class CTaskObserver {
public:
    static constexpr int32_t kTalkMsgID = 87;
    static constexpr int32_t kLogMsgID = 91;

    // Leaves both delegates unbound until RegisterSinks.
    explicit CTaskObserver(CTaskClient* client);

    // Binds the delegates and registers them for 87 and 91 with the host's
    // message registry; nothing without a registry. The observer must stay
    // in place while registered.
    void RegisterSinks();
    void UnregisterSinks();
    // Message 87.
    void OnRefreshTaskList(const uint8_t* data, uint32_t length, int32_t extra);
    // Message 91.
    void OnRefreshTaskLog(const uint8_t* data, uint32_t length, int32_t extra);
    // Fills the talk window with one page and opens it.
    void ShowTaskPage(const TaskTalkPage& page);
    // Fills the talk window with the numbered task menu and opens it.
    void ShowTaskMenu(const TaskTalkPage& list);
    // The client is going: from now on the observer reaches nothing of it.
    void Detach();

private:
    friend class orvane::StateView;

    // A command to the NPC talk window; skipped (false) when it does not exist.
    bool TalkCommand(int32_t type, const void* data, int32_t param);
    // Asks the host to open (or re-show) the NPC talk window.
    void OpenTalkWnd();

    CTaskClient* m_pClient;
    CMsgDelegate m_TalkSink;
    CMsgDelegate m_LogSink;
};
