// Module-wide state: one of each per loaded module.
#pragma once

#include <cstdint>

class CGlobalClient;
class CTaskClient;

namespace orvane {

// Set by the factory when it makes a client; cleared by that client's
// Release, so that nothing reaches a host that may be gone (HostServices.h).
extern CGlobalClient* g_pGlobalClient;
// The one task client; cleared by its Release.
extern CTaskClient* g_pTaskClient;
// Printed by the factory and by Release; nothing changes it.
extern int32_t g_nCreateCount;

// What loading the module does: empty the log sink (with its teardown
// registered for unload) and zero the function-task table.
// Nothing in it can fail.
void OnModuleLoad() noexcept;

}  // namespace orvane
