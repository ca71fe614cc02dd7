#include "client/TaskClient.h"

#include <cstring>
#include <memory>

#include "client/Contain.h"
#include "client/DebugLog.h"
#include "client/HostServices.h"
#include "client/ModuleState.h"
#include "client/TaskClientHelper.h"
#include "net/FunctionTasks.h"
#include "net/TaskWndCallback.h"
#include "platform/Format.h"
#include "tasks/MessageFormats.h"
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

// A text looked up in a table first, then in the task script entry of id.
// Nothing thrown leaves the lookup.
template <class FromTable, class FromEntry>
const char* LookUpText(const char* operation, IResScript* script, int32_t id, FromTable fromTable,
                       FromEntry fromEntry)
{
    return orvane::Contain(operation, static_cast<const char*>(nullptr), [&]() -> const char* {
        if (const char* text = fromTable())
            return text;
        if (script != nullptr)
            if (IResObject* entry = script->GetEntry(id))
                return fromEntry(entry);
        return nullptr;
    });
}

}  // namespace

using orvane::Contain;
using orvane::g_LogSink;

CTaskClient::CTaskClient()
    : m_pTaskScript(nullptr),
      m_szWorkPath{},
      m_pTaskLogDlg(nullptr),
      m_pTaskTalkDlg(nullptr),
      m_TaskMenuDlg(nullptr),
      m_TaskMenuDlg2(nullptr),
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
    // Read within the size it must fit: the text need not end where it should.
    if (std::memchr(workPath, '\0', sizeof m_szWorkPath) == nullptr ||
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

    // All three or none: a failure here leaves no half-made client behind.
    auto observer = std::make_unique<CTaskObserver>(this);
    auto callback = std::make_unique<CTaskWndCallback>(this);
    auto sequencer = std::make_unique<CTaskTalkSequencer>(this, observer.get());
    m_pTaskObServer = std::move(observer);
    m_pWndCallback = std::move(callback);
    m_pTalkSequencer = std::move(sequencer);
    return true;
}

// ---------------------------------------------------------------------------
// Text lookups: the tables first, then the task script.

const char* CTaskClient::GetTaskName(int32_t id)
{
    return LookUpText(
        "CTaskClient::GetTaskName()", m_pTaskScript, id,
        [&] { return m_TaskLogTable.FindName(id); },
        [](IResObject* entry) { return entry->GetName(); });
}

const char* CTaskClient::GetTaskDesc(int32_t id)
{
    return LookUpText(
        "CTaskClient::GetTaskDesc()", m_pTaskScript, id,
        [&] { return m_TaskLogTable.FindStory(id); },
        [](IResObject* entry) { return entry->GetAttr("desc"); });
}

const char* CTaskClient::GetTalkText(int32_t id)
{
    return LookUpText(
        "CTaskClient::GetTalkText()", m_pTaskScript, id, [&] { return m_SentenceTable.Find(id); },
        [](IResObject* entry) { return entry->GetAttr("out"); });
}

const char* CTaskClient::ReservedQuery(int32_t)
{
    return nullptr;  // does nothing that could fail
}

// ---------------------------------------------------------------------------
// The window script, loaded on first use

IResScript* CTaskClient::WindowScript()
{
    if (m_pResScript != nullptr)
        return m_pResScript;
    IResLoader* loader = orvane::HostLoader();
    if (!m_bWorkPathSet || loader == nullptr)
        return nullptr;
    char path[260];
    if (!ComposeScriptPath(path, kWindowScriptFormat, m_szWorkPath))
        return nullptr;
    m_pResScript = loader->LoadScript(path, 0, kScriptPassword);
    return m_pResScript;
}

void CTaskClient::InitTaskObserver()
{
    Contain("CTaskClient::InitTaskObserver()", [&] {
        WriteDebugLog(g_LogSink, "CTaskClient::InitTaskObserver()  start  ");
        if (m_pTaskObServer != nullptr) {
            m_pTaskObServer->UnregisterSinks();
            m_pTaskObServer->RegisterSinks();
        }
    });
}

IWndCallback* CTaskClient::WindowCallback() const
{
    return m_pWndCallback.get();
}

CTaskTalkSequencer* CTaskClient::TalkSequencer() const
{
    return m_pTalkSequencer.get();
}

ITaskWnd* CTaskClient::TalkWindow() const
{
    return m_pTaskTalkDlg;
}

ITaskWnd* CTaskClient::LogWindow() const
{
    return m_pTaskLogDlg;
}

void CTaskClient::LoadTalkSentences(std::span<const uint8_t> message)
{
    orvane::LoadTalkSentences(message, m_SentenceTable);
}

bool CTaskClient::ApplyTaskLogMessage(std::span<const uint8_t> message)
{
    return orvane::ApplyTaskLogMessage(message, m_TaskLogTable);
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
    for (CTaskTalkDlg* dlg : {m_pTaskTalkDlg, m_TaskMenuDlg, m_TaskMenuDlg2})
        if (dlg != nullptr)
            dlg->DetachClient();
    if (m_pTaskLogDlg != nullptr)
        m_pTaskLogDlg->DetachClient();
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
    FreeOwned();
    orvane::g_pTaskClient = nullptr;
    // A host may call Release itself instead of Close: the helper must not
    // keep handing out this client once it is freed.
    if (CTaskClientHelper::m_pTaskClient == static_cast<ITaskClient*>(this))
        CTaskClientHelper::m_pTaskClient = nullptr;
    WriteDebugLog(g_LogSink, " CTaskClient  :: Release() ");
    // The host may take its services away once Close returns; nothing of
    // the module (a window left behind included) reaches them from here on.
    orvane::ForgetHost();
    delete this;
}

void CTaskClient::FreeOwned() noexcept
{
    // The windows stay on the desktop; they must not reach what is freed here.
    DetachWindows();
    if (std::unique_ptr<CTaskObserver> observer = std::move(m_pTaskObServer)) {
        observer->Detach();
        const bool unregistered = Contain("CTaskClient::Release()", false, [&] {
            observer->UnregisterSinks();
            return true;
        });
        // A registry that failed may still hold the delegates: the observer,
        // cut off from the client, stays rather than leave them dangling.
        if (!unregistered)
            (void)observer.release();
    }
    m_pWndCallback.reset();
    m_pTalkSequencer.reset();
}

void CTaskClient::Abandon() noexcept
{
    if (m_pTaskScript != nullptr) {
        Contain("CTaskClient::Abandon()", [&] { m_pTaskScript->Release(); });
        m_pTaskScript = nullptr;
    }
    FreeOwned();
    if (orvane::g_pTaskClient == this)
        orvane::g_pTaskClient = nullptr;
    delete this;
}
