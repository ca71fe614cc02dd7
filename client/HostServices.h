// The one way into the host's services. Each accessor gives null when the
// module holds no host (before the first Create, and from a client's
// Release until the next Create) or when the host lacks that service.
#pragma once

#include <cstddef>

#include "client/HostInterfaces.h"

namespace orvane {

bool HasHost();
ITimerService* HostTimers();
IUiService* HostUi();
INetSender* HostSender();
IMsgRegistry* HostRegistry();
IResLoader* HostLoader();

// The size of the host's work-folder text, terminator included.
constexpr size_t kWorkDirSize = sizeof(CGlobalClient::m_szWorkDir);

// The host's work-folder text, read within its array: null when it holds
// no terminating zero (nothing past the array is read).
const char* WorkDirText(const CGlobalClient& host);
// The same for the module's current host; null without one.
const char* HostWorkDir();

// Cuts the module off from its host: from now on no service is reached
// until the next Create hands it one.
void ForgetHost();

}  // namespace orvane
