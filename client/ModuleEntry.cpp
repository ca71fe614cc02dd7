// Module load for shared libraries without DllMain: runs once when the
// library is loaded.
#include "client/ModuleState.h"

namespace {
struct ModuleEntry {
    ModuleEntry() { orvane::OnModuleLoad(); }
};
ModuleEntry g_moduleEntry;
}  // namespace
