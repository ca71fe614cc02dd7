// Whole-module sessions with one allocation failing: the first two bytes of
// an input choose which allocation of the session fails (0: none), the rest
// is a session as for module_fuzz. Built with clang and -DORVANE_FUZZ=ON:
//   scripts/fuzz.sh module_alloc 300
#include "testkit/AllocInjector.h"
#include "testkit/ModuleActions.h"

namespace {

const orvane::fuzz::GameFolder* g_folder = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The seed sessions, each with failures spread over it.
    g_folder = &orvane::fuzz::StartFuzzing({1, 7, 30, 100, 300, 1000, 3000});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    orvane::inject::Reset(static_cast<uint64_t>(data[0] | data[1] << 8));
    orvane::fuzz::PlaySession(*g_folder, data + 2, size - 2,
                              {&orvane::inject::Arm, &orvane::inject::Disarm});
    orvane::inject::Reset(0);
    return 0;
}
