// Pages through the NPC dialogue of the last message 87: which page is
// shown when, and whether the player first picks a task from a menu. It
// advances on the host's 500 ms step timer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "client/HostInterfaces.h"
#include "tasks/TaskRecords.h"

class CTaskClient;
class CTaskObserver;

namespace orvane {
class StateView;
}

enum TalkState : int32_t {
    TALK_IDLE = 0,
    TALK_SINGLE = 1,
    TALK_NARRATION = 3,
    TALK_SHOW_CURRENT = 4,
    TALK_BUILD_MENU = 6,
    TALK_AWAIT_CHOICE = 7,
};

class CTaskTalkSequencer : public ITimerSink {
public:
    static constexpr int32_t kStepTimerMs = 500;
    // Menu lines carry 100 + the page index as their link value.
    static constexpr int32_t kMenuLinkBase = 100;

    // The pages are shown through observer, which must outlive the sequencer.
    CTaskTalkSequencer(CTaskClient* client, CTaskObserver* observer);
    // Cancels the step timer so no tick reaches a destroyed sequencer.
    virtual ~CTaskTalkSequencer();

    void OnTimer(int32_t timerId) override;

    void SetState(int32_t state);
    void SetCurrentPage(int32_t page);
    // Whether the task menu is shown and the player's pick awaited.
    bool AwaitingChoice() const { return m_nTalkState == TALK_AWAIT_CHOICE; }
    // The key of the last message 87, which every talk answer carries.
    void SetReplyKey(const std::array<uint8_t, 8>& key);
    std::span<const uint8_t, 8> ReplyKey() const { return m_ReplyKey; }
    // Arms the step timer unless the state is TALK_IDLE.
    void StartStepTimer();
    void ClearPages();
    // Copies the page area from message bytes (at most 532; the rest is zero).
    void LoadPages(const uint8_t* bytes, size_t length);
    // Classifies the stored pages and picks the state and the current page.
    void ComputeState();
    // Runs the state's step: shows a page or the menu, or does nothing.
    void Step();

    // The number of stored pages that may be read: the count kept within 0..6.
    int32_t UsablePageCount() const;

private:
    friend class orvane::StateView;

    void ShowPage(int32_t index);
    void ShowSinglePage();
    void ShowNextNarration();
    void ShowCurrentPage();
    void BuildTaskMenu();

    CTaskClient* m_pClient;
    int32_t m_nTalkState;
    uint8_t m_ReplyKey[8];
    // Page count, spare bytes and six pages: message 87's bytes 8 to 539.
    TaskTalkPageArea m_PageArea;
    int32_t m_CurrentOutNum;
    CTaskObserver* m_pObserver;
    // Whether this sequencer's step timer may still be armed with the host.
    bool m_bTimerArmed;
};
