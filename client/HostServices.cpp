#include "client/HostServices.h"

#include <cstring>

#include "client/ModuleState.h"

namespace orvane {

bool HasHost()
{
    return g_pGlobalClient != nullptr;
}

ITimerService* HostTimers()
{
    return g_pGlobalClient != nullptr ? g_pGlobalClient->m_pTimerService : nullptr;
}

IUiService* HostUi()
{
    return g_pGlobalClient != nullptr ? g_pGlobalClient->m_pUiService : nullptr;
}

INetSender* HostSender()
{
    return g_pGlobalClient != nullptr ? g_pGlobalClient->m_pNetSender : nullptr;
}

IMsgRegistry* HostRegistry()
{
    return g_pGlobalClient != nullptr ? g_pGlobalClient->m_pMsgRegistry : nullptr;
}

IResLoader* HostLoader()
{
    return g_pGlobalClient != nullptr ? g_pGlobalClient->m_pResLoader : nullptr;
}

const char* WorkDirText(const CGlobalClient& host)
{
    const char* dir = host.m_szWorkDir;
    return std::memchr(dir, '\0', kWorkDirSize) != nullptr ? dir : nullptr;
}

const char* HostWorkDir()
{
    return g_pGlobalClient != nullptr ? WorkDirText(*g_pGlobalClient) : nullptr;
}

void ForgetHost()
{
    g_pGlobalClient = nullptr;
}

}  // namespace orvane
