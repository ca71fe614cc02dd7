#include "tasks/TaskObserver.h"

// Placeholder until the message work lands.
CTaskObserver::CTaskObserver(CTaskClient* client) : m_pClient(client) {}
void CTaskObserver::RegisterSinks() {}
void CTaskObserver::UnregisterSinks() {}
void CTaskObserver::OnRefreshTaskList(const uint8_t*, uint32_t, int32_t) {}
void CTaskObserver::OnRefreshTaskLog(const uint8_t*, uint32_t, int32_t) {}
void CTaskObserver::ShowTaskPage(const TaskTalkPage&) {}
void CTaskObserver::ShowTaskMenu(const TaskTalkPage&) {}
