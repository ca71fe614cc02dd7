#include "tasks/TaskTalkSequencer.h"

#include <cstring>

// Placeholder until the message work lands.
CTaskTalkSequencer::CTaskTalkSequencer(CTaskClient* client)
    : m_pClient(client), m_nTalkState(TALK_IDLE), m_ReplyKey{}, m_PageArea{}, m_CurrentOutNum(-1),
      m_bTimerArmed(false)
{
}
CTaskTalkSequencer::~CTaskTalkSequencer() = default;
void CTaskTalkSequencer::OnTimer(int32_t) {}
void CTaskTalkSequencer::SetState(int32_t state)
{
    m_nTalkState = state;
}
void CTaskTalkSequencer::SetCurrentPage(int32_t page)
{
    m_CurrentOutNum = page;
}
void CTaskTalkSequencer::StartStepTimer() {}
void CTaskTalkSequencer::ClearPages()
{
    std::memset(&m_PageArea, 0, sizeof m_PageArea);
}
void CTaskTalkSequencer::LoadPages(const uint8_t*, size_t) {}
void CTaskTalkSequencer::ComputeState() {}
void CTaskTalkSequencer::Step() {}
int32_t CTaskTalkSequencer::UsablePageCount() const
{
    return 0;
}
