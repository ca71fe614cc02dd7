// The Windows entry point of Orvane.dll. Loading does only what the module
// needs at load; the thread notifications only report success.
#include "client/ModuleState.h"
#include "platform/Win32.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        orvane::OnModuleLoad();
    return TRUE;
}
