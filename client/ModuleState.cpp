#include "client/ModuleState.h"

#include <cstdlib>

#include "client/DebugLog.h"
#include "net/FunctionTasks.h"

namespace orvane {

CGlobalClient* g_pGlobalClient = nullptr;
CTaskClient* g_pTaskClient = nullptr;
int32_t g_nCreateCount = 0;

namespace {
// The sink's teardown frees nothing: an attached output belongs to the host.
void TearDownLogSink() noexcept
{
    g_LogSink.Reset();
}
}  // namespace

void OnModuleLoad() noexcept
{
    g_LogSink.Reset();
    std::atexit(&TearDownLogSink);
    ClearFunctionTasks();
}

}  // namespace orvane
