#include "client/Contain.h"
#include "client/HostInterfaces.h"
#include "tasks/TaskObserver.h"

void CMsgDelegateBase::Invoke(const uint8_t*, uint32_t, int32_t) {}

CMsgDelegate::CMsgDelegate() : m_pTarget(nullptr), m_pfnHandler(nullptr) {}

void CMsgDelegate::Bind(CTaskObserver* target, Handler handler)
{
    m_pTarget = target;
    m_pfnHandler = handler;
}

void CMsgDelegate::Invoke(const uint8_t* payload, uint32_t length, int32_t extra)
{
    if (m_pTarget == nullptr || m_pfnHandler == nullptr)
        return;
    const char* operation = m_pfnHandler == &CTaskObserver::OnRefreshTaskLog
                                ? "CTaskObserver::OnRefreshTaskLog()"
                                : "CTaskObserver::OnRefreshTaskList()";
    orvane::Contain(operation, [&] { (m_pTarget->*m_pfnHandler)(payload, length, extra); });
}
