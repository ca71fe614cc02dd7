// Fuzz target for the whole module: each input is a session of server
// messages, clicks, timers, host calls and windows ended by the toolkit (see
// ModuleActions.h). Built with clang and -DORVANE_FUZZ=ON:
//   scripts/fuzz.sh module 300
// Set ORVANE_FUZZ_SEEDS to a folder to have the seed sessions written there.
#include "testkit/ModuleActions.h"

namespace {

const orvane::fuzz::GameFolder* g_folder = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_folder = &orvane::fuzz::StartFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    orvane::fuzz::PlaySession(*g_folder, data, size);
    return 0;
}
