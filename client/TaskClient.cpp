#include "client/TaskClient.h"

#include <cstring>

#include "client/DebugLog.h"
#include "client/ModuleState.h"
#include "client/TaskClientHelper.h"
#include "net/FunctionTasks.h"
#include "net/TaskWndCallback.h"
#include "platform/Format.h"
#include "tasks/TaskObserver.h"
#include "tasks/TaskTalkSequencer.h"
#include "ui/TaskLogDlg.h"
#include "ui/TaskTalkDlg.h"

namespace {

const char kScriptPassword[] = "qmtv";
const char kTaskScriptFormat[] = "%s\\scp\\taskClient.res";
const char kWindowScriptFormat[] = "%s\\scp\\Windowtask.res";

// Composes a script path; false when it does not fit (nothing is cut).
bool ComposeScriptPath(char (&path)[260], const char* format, const char* workPath)
{
    return orvane::FormatText(path, sizeof path, format, workPath) >= 0;
}

}  // namespace

using orvane::g_LogSink;

CTaskClient::CTaskClient()
    : m_pTaskScript(nullptr),
      m_szWorkPath{},
      m_pTaskLogDlg(nullptr),
      m_pTaskTalkDlg(nullptr),
      m_TaskMenuDlg(nullptr),
      m_TaskMenuDlg2(nullptr),
      m_pTaskObServer(nullptr),
      m_pWndCallback(nullptr),
      m_pTalkSequencer(nullptr),
      m_pResScript(nullptr),
      m_bWorkPathSet(false)
{
    m_SentenceTable.Clear();
    m_TaskLogTable.Clear();
}

CTaskClient::~CTaskClient()
{
    m_TaskLogTable.Clear();
    m_SentenceTable.Clear();
}

bool CTaskClient::Initialize(IResLoader* loader, const char* workPath)
{
    // The function tasks are this client's game's: an earlier client's
    // entries must not survive a game that declares none or fails to load.
    orvane::ClearFunctionTasks();
    if (loader == nullptr || workPath == nullptr)
        return false;
    // The work path and both script paths made from it must fit whole; a
    // cut path would name another file.
    char path[260];
    char windowPath[260];
    if (std::strlen(workPath) >= sizeof m_szWorkPath ||
        !ComposeScriptPath(path, kTaskScriptFormat, workPath) ||
        !ComposeScriptPath(windowPath, kWindowScriptFormat, workPath))
        return false;
    std::memcpy(m_szWorkPath, workPath, std::strlen(workPath) + 1);
    m_bWorkPathSet = true;

    try {
        m_pTaskScript = loader->LoadScript(path, 0, kScriptPassword);
    } catch (...) {
        m_pTaskScript = nullptr;
    }
    orvane::LoadFunctionTasks(m_pTaskScript);
    WriteDebugLog(g_LogSink, "  m_szWorkPath = %s", m_szWorkPath);
    WriteDebugLog(g_LogSink, "CTaskClient  Initialize  ----OK");

    m_pTaskObServer = new CTaskObserver(this);
    m_pWndCallback = new CTaskWndCallback(this);
    m_pTalkSequencer = new CTaskTalkSequencer(this);
    return true;
}

// ---------------------------------------------------------------------------
// Text lookups: the tables first, then the task script.

const char* CTaskClient::GetTaskName(int32_t id)
{
    if (const char* name = m_TaskLogTable.FindName(id))
        return name;
    if (m_pTaskScript != nullptr)
        if (IResObject* entry = m_pTaskScript->GetEntry(id))
            return entry->GetName();
    return nullptr;
}

const char* CTaskClient::GetTaskDesc(int32_t id)
{
    if (const char* story = m_TaskLogTable.FindStory(id))
        return story;
    if (m_pTaskScript != nullptr)
        if (IResObject* entry = m_pTaskScript->GetEntry(id))
            return entry->GetAttr("desc");
    return nullptr;
}

const char* CTaskClient::GetTalkText(int32_t id)
{
    if (const char* text = m_SentenceTable.Find(id))
        return text;
    if (m_pTaskScript != nullptr)
        if (IResObject* entry = m_pTaskScript->GetEntry(id))
            return entry->GetAttr("out");
    return nullptr;
}

const char* CTaskClient::ReservedQuery(int32_t)
{
    return nullptr;
}

// ---------------------------------------------------------------------------
// The NPC talk window and the selection menus

bool CTaskClient::AddTalkLine(const char* text, int32_t link)
{
    if (m_pTaskTalkDlg != nullptr)
        m_pTaskTalkDlg->AppendLine(text, link);
    return true;
}

void CTaskClient::SetTalkWndPos(RECT& rc)
{
    if (m_pTaskTalkDlg != nullptr)
        m_pTaskTalkDlg->SetWindowPos(rc);
}

void CTaskClient::GetTalkWndRect(RECT& rc)
{
    if (m_pTaskTalkDlg != nullptr)
        m_pTaskTalkDlg->GetWindowRect(rc);
}

void CTaskClient::MoveTalkWnd(int32_t dx, int32_t dy)
{
    if (m_pTaskTalkDlg != nullptr)
        m_pTaskTalkDlg->MoveWindow(dx, dy);
}

IResScript* CTaskClient::WindowScript()
{
    if (m_pResScript != nullptr)
        return m_pResScript;
    if (!m_bWorkPathSet || orvane::g_pGlobalClient == nullptr ||
        orvane::g_pGlobalClient->m_pResLoader == nullptr)
        return nullptr;
    char path[260];
    if (!ComposeScriptPath(path, kWindowScriptFormat, m_szWorkPath))
        return nullptr;
    m_pResScript = orvane::g_pGlobalClient->m_pResLoader->LoadScript(path, 0, kScriptPassword);
    return m_pResScript;
}

XWindow* CTaskClient::CreateClientTalkWnd(int32_t id, IWndCallback* callback)
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

XWindow* CTaskClient::CreateClientTalkDlg(IResObject* res, int32_t id, IWndCallback* callback)
{
    if (id == kTalkWndID) {
        if (m_pTaskTalkDlg == nullptr) {
            m_pTaskTalkDlg = new CTaskTalkDlg();
            m_pTaskTalkDlg->SetSequencer(m_pTalkSequencer);
            WriteDebugLog(g_LogSink, "CreateClientTalkDlg : m_pTaskObServer->Create(m_pWndCallback) OK");
            return m_pTaskTalkDlg->Create(res, kTalkWndID,
                                          callback != nullptr ? callback : m_pWndCallback);
        }
        m_pTaskTalkDlg->SetVisible(TRUE);
        return nullptr;
    }
    if (id == kMenuWndID) {
        if (m_TaskMenuDlg == nullptr) {
            WriteDebugLog(g_LogSink, "WND_SELECTMENU ");
            m_TaskMenuDlg = new CTaskTalkDlg();
            return m_TaskMenuDlg->Create(res, kMenuWndID, callback);
        }
        WriteDebugLog(g_LogSink, " m_TaskMenuDlg->SetVisible(TRUE); ");
        m_TaskMenuDlg->SetCallback(callback);
        m_TaskMenuDlg->SetVisible(TRUE);
        return nullptr;
    }
    if (id == kMenuWnd2ID) {
        if (m_TaskMenuDlg2 == nullptr) {
            WriteDebugLog(g_LogSink, "WND_SELECTMENU 2");
            m_TaskMenuDlg2 = new CTaskTalkDlg();
            return m_TaskMenuDlg2->Create(res, kMenuWnd2ID, callback);
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
    if (m_pTaskLogDlg != nullptr && list != nullptr)
        m_pTaskLogDlg->UpdateTaskList(list);
    return true;
}

bool CTaskClient::CreateClientLogWnd()
{
    if (m_pTaskLogDlg != nullptr) {
        m_pTaskLogDlg->ClearStory();
        m_pTaskLogDlg->SetVisible(TRUE);
        return true;
    }
    WriteDebugLog(g_LogSink, "CTaskClient::CreateClientLogWnd()  start  ");
    if (m_pResScript == nullptr) {
        if (!m_bWorkPathSet || orvane::g_pGlobalClient == nullptr)
            return false;
        if (WindowScript() == nullptr) {
            WriteDebugLog(g_LogSink, "CTaskClient::CreateClientLogWnd() pResScript == NULL ");
            return false;
        }
    }
    IResObject* root = m_pResScript->GetRoot();
    IResObject* res = root != nullptr ? root->GetChildByID(kLogWndID) : nullptr;
    CreateClientLogDlg(res, kLogWndID, m_pWndCallback);
    WriteDebugLog(g_LogSink, "CTaskClient::CreateClientLogWnd() 3 end ");
    return true;
}

bool CTaskClient::CreateClientLogDlg(IResObject* res, int32_t id, IWndCallback* callback)
{
    if (m_pTaskLogDlg == nullptr) {
        m_pTaskLogDlg = new CTaskLogDlg();
        if (m_pTaskObServer != nullptr) {
            m_pTaskObServer->UnregisterSinks();
            m_pTaskObServer->RegisterSinks();
        }
        WriteDebugLog(g_LogSink, "CreateClientLogWnd : m_pTaskObServer->Create(m_pWndCallback) OK");
    }
    IWndCallback* use = callback != nullptr ? callback : m_pWndCallback;
    CPanelkitHelper helper;
    m_pTaskLogDlg->CreateDlg(&helper, res, id, use, this);
    return m_pTaskLogDlg != nullptr;
}

void CTaskClient::SetLogWndPos(RECT& rc)
{
    if (m_pTaskLogDlg != nullptr)
        m_pTaskLogDlg->SetWindowPos(rc);
}

void CTaskClient::GetLogWndRect(RECT& rc)
{
    if (m_pTaskLogDlg != nullptr)
        m_pTaskLogDlg->GetWindowRect(rc);
}

void CTaskClient::MoveLogWnd(int32_t dx, int32_t dy)
{
    if (m_pTaskLogDlg != nullptr)
        m_pTaskLogDlg->MoveWindow(dx, dy);
}

void CTaskClient::HideLogWnd()
{
    if (m_pTaskLogDlg != nullptr)
        m_pTaskLogDlg->SetVisible(FALSE);
}

void CTaskClient::InitTaskObserver()
{
    WriteDebugLog(g_LogSink, "CTaskClient::InitTaskObserver()  start  ");
    if (m_pTaskObServer != nullptr) {
        m_pTaskObServer->UnregisterSinks();
        m_pTaskObServer->RegisterSinks();
    }
}

void CTaskClient::OnWindowDestroyed(XWindow* wnd)
{
    if (wnd == nullptr)
        return;
    if (wnd == static_cast<XWindow*>(m_pTaskTalkDlg))
        m_pTaskTalkDlg = nullptr;
    if (wnd == static_cast<XWindow*>(m_TaskMenuDlg))
        m_TaskMenuDlg = nullptr;
    if (wnd == static_cast<XWindow*>(m_TaskMenuDlg2))
        m_TaskMenuDlg2 = nullptr;
    if (wnd == static_cast<XWindow*>(m_pTaskLogDlg))
        m_pTaskLogDlg = nullptr;
}

void CTaskClient::DetachWindows()
{
    IWndCallback* own = m_pWndCallback;
    for (CTaskTalkDlg* dlg : {m_pTaskTalkDlg, m_TaskMenuDlg, m_TaskMenuDlg2})
        if (dlg != nullptr)
            dlg->DetachClient(own);
    if (m_pTaskLogDlg != nullptr)
        m_pTaskLogDlg->DetachClient(own);
    m_pTaskTalkDlg = nullptr;
    m_TaskMenuDlg = nullptr;
    m_TaskMenuDlg2 = nullptr;
    m_pTaskLogDlg = nullptr;
}

// ---------------------------------------------------------------------------

void CTaskClient::Release()
{
    WriteDebugLog(g_LogSink, "CTaskClient::Release   %d !", orvane::g_nCreateCount);
    if (m_pTaskScript != nullptr) {
        try {
            m_pTaskScript->Release();
        } catch (...) {
        }
        m_pTaskScript = nullptr;
    }
    if (m_pResScript != nullptr) {
        try {
            m_pResScript->Release();
        } catch (...) {
        }
        m_pResScript = nullptr;
    }
    // The windows stay on the desktop; they must not reach what is freed here.
    DetachWindows();
    if (m_pTaskObServer != nullptr) {
        m_pTaskObServer->UnregisterSinks();
        delete m_pTaskObServer;
        m_pTaskObServer = nullptr;
    }
    if (m_pWndCallback != nullptr) {
        delete m_pWndCallback;
        m_pWndCallback = nullptr;
    }
    if (m_pTalkSequencer != nullptr) {
        delete m_pTalkSequencer;
        m_pTalkSequencer = nullptr;
    }
    orvane::g_pTaskClient = nullptr;
    // A host may call Release itself instead of Close: the helper must not
    // keep handing out this client once it is freed.
    if (CTaskClientHelper::m_pTaskClient == static_cast<ITaskClient*>(this))
        CTaskClientHelper::m_pTaskClient = nullptr;
    WriteDebugLog(g_LogSink, " CTaskClient  :: Release() ");
    delete this;
}
