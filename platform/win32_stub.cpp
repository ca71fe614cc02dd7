// Stand-ins for the Windows calls the module makes, for platforms without
// them. The debug-output channel forwards each write, exactly as written, to
// the listener installed through orvane_win32_set_debug_listener.
#include "platform/Win32.h"
#include "platform/Win32Stub.h"

namespace {
OrvaneDebugListener g_listener = nullptr;
void* g_listenerContext = nullptr;
}  // namespace

extern "C" {

void OutputDebugStringA(const char* text)
{
    // Like the system call, the channel never fails its caller.
    if (g_listener == nullptr)
        return;
    try {
        g_listener(text != nullptr ? text : "", g_listenerContext);
    } catch (...) {
    }
}

BOOL CopyRect(RECT* dst, const RECT* src)
{
    if (dst == nullptr || src == nullptr)
        return FALSE;
    *dst = *src;
    return TRUE;
}

void orvane_win32_set_debug_listener(OrvaneDebugListener listener, void* context)
{
    g_listener = listener;
    g_listenerContext = context;
}

}  // extern "C"
