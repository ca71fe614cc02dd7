// The module's one task client: owns the scripts, the observer, the window
// callback and the talk sequencer, answers text lookups, and creates and
// forwards to the module's windows.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "client/HostInterfaces.h"
#include "client/ITaskClient.h"
#include "client/WindowIds.h"
#include "tasks/TaskTables.h"

class CTaskLogDlg;
class CTaskTalkDlg;
class CTaskObserver;
class CTaskWndCallback;
class CTaskTalkSequencer;
class ITaskWnd;
class XWindow;

namespace orvane {
class StateView;
}

class CTaskClient final : public ITaskClient {
public:
    static constexpr int32_t kTalkWndID = orvane::kTalkWndID;
    static constexpr int32_t kLogWndID = orvane::kLogWndID;
    static constexpr int32_t kMenuWndID = orvane::kMenuWndID;
    static constexpr int32_t kMenuWnd2ID = orvane::kMenuWnd2ID;
    static constexpr int32_t kMenuResID = orvane::kMenuResID;

    CTaskClient();

    const char* GetTaskName(int32_t id) override;
    const char* GetTaskDesc(int32_t id) override;
    const char* GetTalkText(int32_t id) override;
    const char* ReservedQuery(int32_t value) override;
    bool AddTalkLine(const char* text, int32_t link) override;
    void SetTalkWndPos(RECT& rc) override;
    void GetTalkWndRect(RECT& rc) override;
    void MoveTalkWnd(int32_t dx, int32_t dy) override;
    XWindow* CreateClientTalkWnd(int32_t id, IWndCallback* callback) override;
    bool UpdateTaskList(TaskListRecord* list) override;
    bool CreateClientLogWnd() override;
    void SetLogWndPos(RECT& rc) override;
    void GetLogWndRect(RECT& rc) override;
    void MoveLogWnd(int32_t dx, int32_t dy) override;
    void HideLogWnd() override;
    void InitTaskObserver() override;
    void Release() override;

    virtual bool CreateClientLogDlg(IResObject* res, int32_t id, IWndCallback* callback);

    // Loads the task script from workPath and creates the owned objects.
    // False, with nothing created, without a loader or a work path, or when
    // the work path or the script paths made from it do not fit.
    bool Initialize(IResLoader* loader, const char* workPath);
    XWindow* CreateClientTalkDlg(IResObject* res, int32_t id, IWndCallback* callback);

    // The client's own window callback, the default of its windows.
    IWndCallback* WindowCallback() const;
    // The talk sequencer; null once the client is released.
    CTaskTalkSequencer* TalkSequencer() const;
    // The command interfaces of the NPC talk window and the task log dialog;
    // null while the window does not exist.
    ITaskWnd* TalkWindow() const;
    ITaskWnd* LogWindow() const;
    // Reads the talk sentences of message 87 into the sentence table.
    void LoadTalkSentences(std::span<const uint8_t> message);
    // Applies the task log block of message 91 to the task log table; true
    // when the message is to be handed to the task log dialog.
    bool ApplyTaskLogMessage(std::span<const uint8_t> message);
    // A window of the client is going away (the toolkit ended it): forget it.
    void OnWindowDestroyed(XWindow* wnd);
    bool IsWorkPathSet() const { return m_bWorkPathSet; }
    // Ends a client whose creation failed part way, without the lines of
    // Release: frees what it holds and itself.
    void Abandon() noexcept;

private:
    friend class orvane::StateView;

    ~CTaskClient();
    // Loads the window script on first use; null when it cannot be had.
    IResScript* WindowScript();
    // Tells every window the client made that the client is gone.
    void DetachWindows();
    // Detaches the windows and frees the observer, callback and sequencer.
    void FreeOwned() noexcept;
    // The bodies of CreateClientTalkWnd and CreateClientLogWnd.
    XWindow* OpenTalkWnd(int32_t id, IWndCallback* callback);
    bool OpenLogWnd();

    IResScript* m_pTaskScript;
    char m_szWorkPath[260];
    CTaskLogDlg* m_pTaskLogDlg;
    CTaskTalkDlg* m_pTaskTalkDlg;
    CTaskTalkDlg* m_TaskMenuDlg;
    CTaskTalkDlg* m_TaskMenuDlg2;
    std::unique_ptr<CTaskObserver> m_pTaskObServer;
    std::unique_ptr<CTaskWndCallback> m_pWndCallback;
    std::unique_ptr<CTaskTalkSequencer> m_pTalkSequencer;
    IResScript* m_pResScript;
    TalkSentenceTable m_SentenceTable;
    TaskLogTable m_TaskLogTable;
    bool m_bWorkPathSet;
};
