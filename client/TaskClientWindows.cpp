// The task client's windows: the NPC talk window, the selection menus and
// the task log dialog, made on the host's request and driven through it.
#include "client/Contain.h"
#include "client/DebugLog.h"
#include "client/HostServices.h"
#include "client/TaskClient.h"
#include "net/TaskWndCallback.h"
#include "tasks/TaskObserver.h"
#include "ui/OwnedWindow.h"
#include "ui/TaskLogDlg.h"
#include "ui/TaskTalkDlg.h"

using orvane::Contain;
using orvane::g_LogSink;

namespace {

// A call on a window the client may not have made yet: without the window
// it does nothing, and nothing thrown leaves it.
template <class Dlg, class Call>
void OnWindow(const char* operation, Dlg* dlg, Call&& call)
{
    Contain(operation, [&] {
        if (dlg != nullptr)
            call(*dlg);
    });
}

}  // namespace

// ---------------------------------------------------------------------------
// The NPC talk window and the selection menus

bool CTaskClient::AddTalkLine(const char* text, int32_t link)
{
    return Contain("CTaskClient::AddTalkLine()", false, [&] {
        if (m_pTaskTalkDlg != nullptr)
            m_pTaskTalkDlg->AppendLine(text, link);
        return true;
    });
}

void CTaskClient::SetTalkWndPos(RECT& rc)
{
    OnWindow("CTaskClient::SetTalkWndPos()", m_pTaskTalkDlg,
             [&](CTaskTalkDlg& dlg) { dlg.SetWindowPos(rc); });
}

void CTaskClient::GetTalkWndRect(RECT& rc)
{
    OnWindow("CTaskClient::GetTalkWndRect()", m_pTaskTalkDlg,
             [&](CTaskTalkDlg& dlg) { dlg.GetWindowRect(rc); });
}

void CTaskClient::MoveTalkWnd(int32_t dx, int32_t dy)
{
    OnWindow("CTaskClient::MoveTalkWnd()", m_pTaskTalkDlg,
             [&](CTaskTalkDlg& dlg) { dlg.MoveWindow(dx, dy); });
}

XWindow* CTaskClient::CreateClientTalkWnd(int32_t id, IWndCallback* callback)
{
    return Contain("CTaskClient::CreateClientTalkWnd()", static_cast<XWindow*>(nullptr),
                   [&] { return OpenTalkWnd(id, callback); });
}

XWindow* CTaskClient::OpenTalkWnd(int32_t id, IWndCallback* callback)
{
    if (m_pResScript == nullptr) {
        WriteDebugLog(g_LogSink, "CTaskClient::CreateClientTalkWnd()   start ");
        if (WindowScript() == nullptr)
            return nullptr;
    }
    IResObject* root = m_pResScript->GetRoot();
    IResObject* res = nullptr;
    if (id == kTalkWndID)
        res = root != nullptr ? root->GetChildByID(kTalkWndID) : nullptr;
    else if (id == kMenuWndID || id == kMenuWnd2ID)
        res = root != nullptr ? root->GetChildByID(kMenuResID) : nullptr;
    else
        return nullptr;
    return CreateClientTalkDlg(res, id, callback);
}

namespace {

// Builds a talk window into slot. A build that fails ends the half-built
// window and leaves slot empty, so the next request builds anew.
XWindow* BuildTalkDlg(CTaskTalkDlg*& slot, CTaskTalkSequencer* sequencer, IResObject* res,
                      int32_t id, IWndCallback* callback)
{
    orvane::OwnedWindow<CTaskTalkDlg> dlg(XDesktop::GetInstance(), new CTaskTalkDlg());
    if (id == CTaskClient::kTalkWndID) {
        dlg->SetSequencer(sequencer);
        WriteDebugLog(g_LogSink,
                      "CreateClientTalkDlg : m_pTaskObServer->Create(m_pWndCallback) OK");
    }
    XWindow* built = dlg->Create(res, id, callback);
    slot = dlg.Keep();
    return built;
}

}  // namespace

XWindow* CTaskClient::CreateClientTalkDlg(IResObject* res, int32_t id, IWndCallback* callback)
{
    if (id == kTalkWndID) {
        if (m_pTaskTalkDlg == nullptr)
            return BuildTalkDlg(m_pTaskTalkDlg, m_pTalkSequencer.get(), res, kTalkWndID,
                                callback != nullptr ? callback : m_pWndCallback.get());
        m_pTaskTalkDlg->SetVisible(TRUE);
        return nullptr;
    }
    if (id == kMenuWndID) {
        if (m_TaskMenuDlg == nullptr) {
            WriteDebugLog(g_LogSink, "WND_SELECTMENU ");
            return BuildTalkDlg(m_TaskMenuDlg, nullptr, res, kMenuWndID, callback);
        }
        WriteDebugLog(g_LogSink, " m_TaskMenuDlg->SetVisible(TRUE); ");
        m_TaskMenuDlg->SetCallback(callback);
        m_TaskMenuDlg->SetVisible(TRUE);
        return nullptr;
    }
    if (id == kMenuWnd2ID) {
        if (m_TaskMenuDlg2 == nullptr) {
            WriteDebugLog(g_LogSink, "WND_SELECTMENU 2");
            return BuildTalkDlg(m_TaskMenuDlg2, nullptr, res, kMenuWnd2ID, callback);
        }
        WriteDebugLog(g_LogSink, "m_TaskMenuDlg2->SetVisible(TRUE); ");
        m_TaskMenuDlg2->SetVisible(TRUE);
        return nullptr;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// The task log dialog

bool CTaskClient::UpdateTaskList(TaskListRecord* list)
{
    return Contain("CTaskClient::UpdateTaskList()", false, [&] {
        if (m_pTaskLogDlg != nullptr && list != nullptr)
            m_pTaskLogDlg->UpdateTaskList(list);
        return true;
    });
}

bool CTaskClient::CreateClientLogWnd()
{
    return Contain("CTaskClient::CreateClientLogWnd()", false, [&] { return OpenLogWnd(); });
}

bool CTaskClient::OpenLogWnd()
{
    if (m_pTaskLogDlg != nullptr) {
        m_pTaskLogDlg->ClearStory();
        m_pTaskLogDlg->SetVisible(TRUE);
        return true;
    }
    WriteDebugLog(g_LogSink, "CTaskClient::CreateClientLogWnd()  start  ");
    if (m_pResScript == nullptr) {
        if (!m_bWorkPathSet || !orvane::HasHost())
            return false;
        if (WindowScript() == nullptr) {
            WriteDebugLog(g_LogSink, "CTaskClient::CreateClientLogWnd() pResScript == NULL ");
            return false;
        }
    }
    IResObject* root = m_pResScript->GetRoot();
    IResObject* res = root != nullptr ? root->GetChildByID(kLogWndID) : nullptr;
    CreateClientLogDlg(res, kLogWndID, m_pWndCallback.get());
    WriteDebugLog(g_LogSink, "CTaskClient::CreateClientLogWnd() 3 end ");
    return true;
}

bool CTaskClient::CreateClientLogDlg(IResObject* res, int32_t id, IWndCallback* callback)
{
    // A dialog this call begins and cannot finish goes again (its destructor
    // clears m_pTaskLogDlg); the next request builds a whole one.
    orvane::OwnedWindow<CTaskLogDlg> fresh;
    if (m_pTaskLogDlg == nullptr) {
        fresh = orvane::OwnedWindow<CTaskLogDlg>(XDesktop::GetInstance(), new CTaskLogDlg());
        m_pTaskLogDlg = fresh.get();
        if (m_pTaskObServer != nullptr) {
            m_pTaskObServer->UnregisterSinks();
            m_pTaskObServer->RegisterSinks();
        }
        WriteDebugLog(g_LogSink, "CreateClientLogWnd : m_pTaskObServer->Create(m_pWndCallback) OK");
    }
    CTaskLogDlg* dlg = m_pTaskLogDlg;
    IWndCallback* use = callback != nullptr ? callback : m_pWndCallback.get();
    CPanelkitHelper helper;
    dlg->CreateDlg(&helper, res, id, use, this);
    fresh.Keep();
    return m_pTaskLogDlg != nullptr;
}

void CTaskClient::SetLogWndPos(RECT& rc)
{
    OnWindow("CTaskClient::SetLogWndPos()", m_pTaskLogDlg,
             [&](CTaskLogDlg& dlg) { dlg.SetWindowPos(rc); });
}

void CTaskClient::GetLogWndRect(RECT& rc)
{
    OnWindow("CTaskClient::GetLogWndRect()", m_pTaskLogDlg,
             [&](CTaskLogDlg& dlg) { dlg.GetWindowRect(rc); });
}

void CTaskClient::MoveLogWnd(int32_t dx, int32_t dy)
{
    OnWindow("CTaskClient::MoveLogWnd()", m_pTaskLogDlg,
             [&](CTaskLogDlg& dlg) { dlg.MoveWindow(dx, dy); });
}

void CTaskClient::HideLogWnd()
{
    OnWindow("CTaskClient::HideLogWnd()", m_pTaskLogDlg,
             [](CTaskLogDlg& dlg) { dlg.SetVisible(FALSE); });
}
