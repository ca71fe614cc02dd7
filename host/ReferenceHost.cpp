#include "host/ReferenceHost.h"

#include <cstring>

namespace orvane::host {

ReferenceHost::ReferenceHost()
{
    m_client.m_MsgOutput.m_pOutput = &output;
    m_client.m_pResLoader = &loader;
    m_client.m_pTimerService = &timers;
    m_client.m_pNetSender = &sender;
    m_client.m_pMsgRegistry = &registry;
    m_client.m_pUiService = &ui;
}

ReferenceHost::~ReferenceHost() = default;

bool ReferenceHost::SetWorkDir(const std::string& dir)
{
    // The module reads m_szWorkDir as a zero-terminated text: it must fit
    // with its zero, and an inner zero would silently cut it.
    if (dir.size() >= sizeof(m_client.m_szWorkDir) || dir.find('\0') != std::string::npos)
        return false;
    std::memset(m_client.m_szWorkDir, 0, sizeof(m_client.m_szWorkDir));
    std::memcpy(m_client.m_szWorkDir, dir.data(), dir.size());
    return true;
}

}  // namespace orvane::host
