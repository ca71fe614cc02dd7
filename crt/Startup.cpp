// What runs before and after a module's own code: the static initialisers
// the compiler lists in the .CRT$XCU section, and the functions registered
// with atexit (destructors of static objects), which this module runs when
// it ends. A DLL keeps its own exit list: msvcrt's would run them after the
// DLL is gone.
#include "crt/Startup.h"

#include <cstdlib>

#include <windows.h>

namespace {

using InitFunction = void(__cdecl*)();

// The linker sorts .CRT$XCA < .CRT$XCU < .CRT$XCZ: the compiler's entries
// lie between these two markers.
#pragma section(".CRT$XCA", read)
#pragma section(".CRT$XCZ", read)
__declspec(allocate(".CRT$XCA")) const InitFunction g_initFirst = nullptr;
__declspec(allocate(".CRT$XCZ")) const InitFunction g_initLast = nullptr;

InitFunction* g_pExitList = nullptr;
int g_nExitCount = 0;
int g_nExitCapacity = 0;

}  // namespace

extern "C" {

// Code that uses floating point refers to this symbol.
int _fltused = 0x9875;

// The compiler registers destructors of static objects with atexit; the
// name is given to this function below, as msvcrt's header declares its own.
int __cdecl orvane_crt_atexit(void(__cdecl* function)())
{
    if (g_nExitCount == g_nExitCapacity) {
        const int capacity = g_nExitCapacity == 0 ? 32 : g_nExitCapacity * 2;
        const SIZE_T bytes = static_cast<SIZE_T>(capacity) * sizeof(InitFunction);
        void* grown = g_pExitList == nullptr
            ? ::HeapAlloc(::GetProcessHeap(), 0, bytes)
            : ::HeapReAlloc(::GetProcessHeap(), 0, g_pExitList, bytes);
        if (grown == nullptr)
            return -1;
        g_pExitList = static_cast<InitFunction*>(grown);
        g_nExitCapacity = capacity;
    }
    g_pExitList[g_nExitCount++] = function;
    return 0;
}

// A pure virtual function was called: a bug in the caller; end the process.
int __cdecl _purecall()
{
    ::abort();
}

}  // extern "C"

// Code that includes <stdlib.h> calls atexit through msvcrt's import slot;
// that slot is this module's too.
extern "C" int(__cdecl* const orvane_crt_atexit_slot)(void(__cdecl*)()) = &orvane_crt_atexit;

#pragma comment(linker, "/alternatename:_atexit=_orvane_crt_atexit")
#pragma comment(linker, "/alternatename:__imp__atexit=_orvane_crt_atexit_slot")

namespace orvane_crt {

void RunInitializers()
{
    for (const InitFunction* entry = &g_initFirst + 1; entry < &g_initLast; ++entry) {
        if (*entry != nullptr)
            (*entry)();
    }
}

void RunExitList()
{
    while (g_nExitCount > 0)
        g_pExitList[--g_nExitCount]();
    if (g_pExitList != nullptr)
        ::HeapFree(::GetProcessHeap(), 0, g_pExitList);
    g_pExitList = nullptr;
    g_nExitCapacity = 0;
}

}  // namespace orvane_crt
