#include "tasks/TaskTalkSequencer.h"

#include <cstring>
#include <span>

#include "client/Contain.h"
#include "client/HostServices.h"
#include "client/TaskClient.h"
#include "platform/Win32.h"
#include "tasks/MessageFormats.h"
#include "tasks/PageClass.h"
#include "tasks/TaskObserver.h"

using orvane::IsChatPage;
using orvane::IsChoicePage;
using orvane::IsNarrationPage;
using orvane::IsOfferPage;
using orvane::IsOpenChatPage;

CTaskTalkSequencer::CTaskTalkSequencer(CTaskClient* client, CTaskObserver* observer)
    : m_pClient(client),
      m_nTalkState(TALK_IDLE),
      m_ReplyKey{},
      m_PageArea{},
      m_CurrentOutNum(-1),
      m_pObserver(observer),
      m_bTimerArmed(false)
{
}

CTaskTalkSequencer::~CTaskTalkSequencer()
{
    orvane::Contain("CTaskTalkSequencer::~CTaskTalkSequencer()", [&] {
        if (m_bTimerArmed)
            if (ITimerService* timers = orvane::HostTimers())
                timers->KillTimer(0, this);
    });
}

void CTaskTalkSequencer::OnTimer(int32_t)
{
    // The step timer is killed even after a failed step: it would only fail again.
    orvane::Contain("CTaskTalkSequencer::OnTimer()", [&] { Step(); });
    orvane::Contain("CTaskTalkSequencer::OnTimer()", [&] {
        if (ITimerService* timers = orvane::HostTimers())
            timers->KillTimer(0, this);
        m_bTimerArmed = false;
    });
}

void CTaskTalkSequencer::SetState(int32_t state)
{
    m_nTalkState = state;
}

void CTaskTalkSequencer::SetCurrentPage(int32_t page)
{
    m_CurrentOutNum = page;
}

void CTaskTalkSequencer::SetReplyKey(const std::array<uint8_t, 8>& key)
{
    std::memcpy(m_ReplyKey, key.data(), sizeof m_ReplyKey);
}

void CTaskTalkSequencer::StartStepTimer()
{
    if (m_nTalkState == TALK_IDLE)
        return;
    if (ITimerService* timers = orvane::HostTimers()) {
        timers->SetTimer(0, this, kStepTimerMs);
        m_bTimerArmed = true;
    }
}

void CTaskTalkSequencer::ClearPages()
{
    std::memset(&m_PageArea, 0, sizeof m_PageArea);
}

void CTaskTalkSequencer::LoadPages(const uint8_t* bytes, size_t length)
{
    if (bytes == nullptr)
        length = 0;
    m_PageArea = orvane::DecodePageArea(std::span<const uint8_t>(bytes, length));
}

int32_t CTaskTalkSequencer::UsablePageCount() const
{
    const int32_t count = m_PageArea.m_nPageCount;
    if (count < 0)
        return 0;
    return count > kMaxTalkPages ? kMaxTalkPages : count;
}

void CTaskTalkSequencer::ComputeState()
{
    m_CurrentOutNum = -1;
    if (m_PageArea.m_nPageCount == 1) {
        m_nTalkState = TALK_SINGLE;
        return;
    }
    const int32_t count = UsablePageCount();
    int32_t chats = 0;
    int32_t narrations = 0;
    int32_t choices = 0;
    for (int32_t i = 0; i < count; ++i) {
        const TaskTalkPage& page = m_PageArea.m_Pages[i];
        chats += IsChatPage(page) ? 1 : 0;
        narrations += IsNarrationPage(page) ? 1 : 0;
        choices += IsChoicePage(page) ? 1 : 0;
    }
    if (narrations >= 1) {
        m_nTalkState = TALK_NARRATION;
    } else if ((choices == 1 && chats == 0) || (chats == 1 && choices == 0)) {
        m_nTalkState = TALK_SHOW_CURRENT;
        for (int32_t i = 0; i < count; ++i) {
            if (IsOfferPage(m_PageArea.m_Pages[i])) {
                m_CurrentOutNum = i;
                break;
            }
        }
    } else if (choices >= 1) {
        m_nTalkState = TALK_BUILD_MENU;
    }
}

void CTaskTalkSequencer::Step()
{
    switch (m_nTalkState) {
        case TALK_SINGLE:
            ShowSinglePage();
            break;
        case TALK_NARRATION:
            ShowNextNarration();
            break;
        case TALK_SHOW_CURRENT:
            ShowCurrentPage();
            break;
        case TALK_BUILD_MENU:
            BuildTaskMenu();
            break;
        default:
            break;
    }
}

void CTaskTalkSequencer::ShowPage(int32_t index)
{
    if (index < 0 || index >= kMaxTalkPages)
        return;
    // A copy: showing the page calls out to the window and the host.
    const TaskTalkPage page = m_PageArea.m_Pages[index];
    if (CTaskObserver* observer = m_pObserver)
        observer->ShowTaskPage(page);
}

void CTaskTalkSequencer::ShowSinglePage()
{
    if (m_PageArea.m_nPageCount == 1)
        ShowPage(0);
    m_nTalkState = TALK_IDLE;
}

void CTaskTalkSequencer::ShowNextNarration()
{
    const int32_t count = UsablePageCount();
    // The current page may have been set from outside; never start below 0.
    const int64_t from = static_cast<int64_t>(m_CurrentOutNum) + 1;
    for (int64_t i = from < 0 ? 0 : from; i < count; ++i) {
        if (IsNarrationPage(m_PageArea.m_Pages[i])) {
            m_CurrentOutNum = static_cast<int32_t>(i);
            ShowPage(m_CurrentOutNum);
            return;
        }
    }

    m_nTalkState = TALK_IDLE;
    m_CurrentOutNum = -1;
    int32_t offers = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (IsOfferPage(m_PageArea.m_Pages[i])) {
            ++offers;
            m_CurrentOutNum = i;
        }
    }
    if (offers == 1)
        m_nTalkState = TALK_SHOW_CURRENT;
    else if (offers > 1)
        m_nTalkState = TALK_BUILD_MENU;
    // None of the states reached here comes back to narration, so this
    // recursion is one level deep.
    Step();
}

void CTaskTalkSequencer::ShowCurrentPage()
{
    if (m_CurrentOutNum < 0 || m_CurrentOutNum >= UsablePageCount()) {
        OutputDebugStringA("m_CurrentOutNum  .... error");
        return;
    }
    ShowPage(m_CurrentOutNum);
    if (m_nTalkState == TALK_SHOW_CURRENT) {
        m_nTalkState = TALK_IDLE;
        m_CurrentOutNum = -1;
    }
}

void CTaskTalkSequencer::BuildTaskMenu()
{
    TaskTalkPage menu{};
    const int32_t count = UsablePageCount();
    auto append = [&](int32_t index) {
        TaskTalkOption& item = menu.options[menu.nOptionCount++];
        item.nLink = kMenuLinkBase + index;
        item.nResID = m_PageArea.m_Pages[index].nTaskID;
    };
    // Task choices first, then the open chats, each in page order.
    for (int32_t i = 0; i < count; ++i)
        if (IsChoicePage(m_PageArea.m_Pages[i]))
            append(i);
    for (int32_t i = 0; i < count; ++i)
        if (IsOpenChatPage(m_PageArea.m_Pages[i]))
            append(i);
    if (menu.nOptionCount > 1)
        if (CTaskObserver* observer = m_pObserver)
            observer->ShowTaskMenu(menu);
    m_nTalkState = TALK_AWAIT_CHOICE;
}
