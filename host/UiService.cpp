#include "host/ReferenceHost.h"

namespace orvane::host {

void UiService::Confirm(const char* text, IWndCallback* listener, int32_t /*flags*/)
{
    m_strText = text ? text : "";
    m_pListener = listener;
    m_bOpen = true;
    HostEvent ev{};
    ev.kind = HostEvent::Kind::ConfirmBox;
    ev.text = m_strText;
    m_hub.Emit(ev);
}

void UiService::OpenClientWnd(int32_t id, IWndCallback* callback)
{
    HostEvent ev{};
    ev.kind = HostEvent::Kind::OpenWindow;
    ev.windowId = id;
    m_hub.Emit(ev);
    ITaskClient* client = m_source ? m_source() : nullptr;
    if (client)
        client->CreateClientTalkWnd(id, callback);
}

bool UiService::Answer(int32_t answer)
{
    if (!m_bOpen)
        return false;
    // Close the box before telling the listener, which may open a new one.
    IWndCallback* listener = m_pListener;
    m_pListener = nullptr;
    m_bOpen = false;
    m_strText.clear();
    if (listener)
        listener->OnEvent(0, answer, 0, 0);
    return true;
}

}  // namespace orvane::host
