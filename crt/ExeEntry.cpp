// The entry point of a console program: the arguments from msvcrt, static
// objects built before main and destroyed after it, then msvcrt's exit,
// which flushes the C streams.
#include <cstdlib>

#include "crt/Startup.h"

namespace {

struct StartupInfo {
    int newMode;
};

}  // namespace

extern "C" {
__declspec(dllimport) int __cdecl __getmainargs(int* argc, char*** argv, char*** env,
                                                 int expandWildcards, StartupInfo* info);
int main(int argc, char** argv);

[[noreturn]] void __cdecl mainCRTStartup()
{
    int argc = 0;
    char** argv = nullptr;
    char** env = nullptr;
    StartupInfo info = {0};
    if (__getmainargs(&argc, &argv, &env, 0, &info) < 0)
        ::exit(255);
    orvane_crt::RunInitializers();
    const int status = main(argc, argv);
    orvane_crt::RunExitList();
    ::exit(status);
}
}
