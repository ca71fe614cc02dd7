#include "net/TaskWndCallback.h"

// Placeholder until the packet work lands.
CTaskWndCallback::CTaskWndCallback(CTaskClient* client) : m_pClient(client) {}
CTaskWndCallback::~CTaskWndCallback() = default;
bool CTaskWndCallback::OnEvent(int32_t, int32_t, int32_t, int32_t)
{
    return true;
}
