// DllMain for a DLL that needs none of its own; the linker takes it from
// the runtime library only when the DLL does not define one.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
