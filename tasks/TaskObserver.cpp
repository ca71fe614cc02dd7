#include "tasks/TaskObserver.h"

#include <algorithm>
#include <span>
#include <string>

#include "client/DebugLog.h"
#include "client/HostServices.h"
#include "client/TaskClient.h"
#include "tasks/MessageFormats.h"
#include "tasks/TaskTalkSequencer.h"
#include "ui/TaskMainWnd.h"

using orvane::g_LogSink;

namespace {

// The message as bytes; a null pointer is an empty message whatever its
// length claims.
std::span<const uint8_t> MessageBytes(const uint8_t* data, uint32_t length)
{
    if (data == nullptr)
        return {};
    return std::span<const uint8_t>(data, length);
}

void LogMissingText(int32_t id)
{
    WriteDebugLog(g_LogSink, "CTaskObserver::OnRefreshTaskList  pText == NULL  nResID = %d", id);
}

int32_t ClampOptionCount(int32_t count)
{
    return std::clamp<int32_t>(count, 0, kMaxTalkOptions);
}

}  // namespace

CTaskObserver::CTaskObserver(CTaskClient* client) : m_pClient(client) {}

void CTaskObserver::Detach()
{
    m_pClient = nullptr;
}

void CTaskObserver::RegisterSinks()
{
    IMsgRegistry* registry = orvane::HostRegistry();
    if (registry == nullptr)
        return;
    m_TalkSink.Bind(this, &CTaskObserver::OnRefreshTaskList);
    registry->Register(kTalkMsgID, &m_TalkSink);
    m_LogSink.Bind(this, &CTaskObserver::OnRefreshTaskLog);
    registry->Register(kLogMsgID, &m_LogSink);
}

void CTaskObserver::UnregisterSinks()
{
    IMsgRegistry* registry = orvane::HostRegistry();
    if (registry == nullptr)
        return;
    registry->Unregister(kTalkMsgID, &m_TalkSink);
    registry->Unregister(kLogMsgID, &m_LogSink);
}

bool CTaskObserver::TalkCommand(int32_t type, const void* data, int32_t param)
{
    ITaskWnd* wnd = m_pClient != nullptr ? m_pClient->TalkWindow() : nullptr;
    if (wnd == nullptr)
        return false;
    return wnd->OnCommand(type, data, param);
}

void CTaskObserver::OpenTalkWnd()
{
    IUiService* ui = orvane::HostUi();
    if (ui == nullptr)
        return;
    IWndCallback* callback = m_pClient != nullptr ? m_pClient->WindowCallback() : nullptr;
    ui->OpenClientWnd(CTaskClient::kTalkWndID, callback);
}

void CTaskObserver::OnRefreshTaskList(const uint8_t* data, uint32_t length, int32_t)
{
    if (data == nullptr || length == 0)
        return;
    CTaskTalkSequencer* sequencer = m_pClient != nullptr ? m_pClient->TalkSequencer() : nullptr;
    if (sequencer == nullptr)
        return;
    const std::span<const uint8_t> message(data, length);
    sequencer->SetReplyKey(orvane::ReadReplyKey(message));
    if (orvane::HostUi() == nullptr)
        return;
    // The host creates the talk window on the first request; every command
    // below still checks that it exists.
    OpenTalkWnd();

    sequencer->ClearPages();
    if (message.size() > orvane::kPageAreaOffset) {
        const auto area = message.subspan(orvane::kPageAreaOffset);
        sequencer->LoadPages(area.data(), area.size());
    }
    if (message.size() >= orvane::kTalkSentenceBlockMin)
        m_pClient->LoadTalkSentences(message);
    WriteDebugLog(g_LogSink, "CTaskObserver::OnRefreshTaskList  ...... ok");

    TalkCommand(kCmdClear, nullptr, 0);
    sequencer->ComputeState();
    sequencer->Step();
    OpenTalkWnd();
}

void CTaskObserver::OnRefreshTaskLog(const uint8_t* data, uint32_t length, int32_t)
{
    if (m_pClient == nullptr)
        return;
    const std::span<const uint8_t> message = MessageBytes(data, length);
    if (!m_pClient->ApplyTaskLogMessage(message))
        return;
    if (ITaskWnd* dlg = m_pClient->LogWindow())
        dlg->OnCommand(kCmdTaskList, data, static_cast<int32_t>(length));
}

void CTaskObserver::ShowTaskPage(const TaskTalkPage& page)
{
    if (m_pClient == nullptr)
        return;
    const int32_t count = ClampOptionCount(page.nOptionCount);
    TalkCommand(kCmdClear, nullptr, 0);
    for (int32_t i = 0; i < count; ++i) {
        const TaskTalkOption& option = page.options[i];
        const char* text = m_pClient->GetTalkText(option.nResID);
        if (text == nullptr) {
            LogMissingText(option.nResID);
            text = orvane::kMissingOptionText;
        }
        TalkCommand(kCmdAddLine, text, option.nLink);
    }
    // Name before description, in that order: a host may answer lookups itself.
    const char* name = m_pClient->GetTaskName(page.nTaskID);
    const char* desc = m_pClient->GetTaskDesc(page.nTaskID);
    const std::string pageText = orvane::ComposePageText(name, desc);
    TalkCommand(kCmdPanelText, pageText.c_str(), 0);
    TalkCommand(kCmdShow, nullptr, 0);
    OpenTalkWnd();
}

void CTaskObserver::ShowTaskMenu(const TaskTalkPage& list)
{
    if (m_pClient == nullptr)
        return;
    const int32_t count = ClampOptionCount(list.nOptionCount);
    TalkCommand(kCmdClear, nullptr, 0);
    for (int32_t i = 0; i < count; ++i) {
        const TaskTalkOption& item = list.options[i];
        const char* name = nullptr;
        if (item.nResID != 0) {
            name = m_pClient->GetTaskName(item.nResID);
            if (name == nullptr)
                LogMissingText(item.nResID);
        }
        const std::string line = orvane::ComposeMenuLine(i, item.nResID, name);
        TalkCommand(kCmdAddLine, line.c_str(), item.nLink);
    }
    TalkCommand(kCmdPanelText, orvane::kMenuHeading, 0);
    TalkCommand(kCmdShow, nullptr, 0);
    OpenTalkWnd();
}
