// The stand-in library's own entry for observers of the debug channel.
#pragma once

#include "platform/Win32.h"

#if !defined(_WIN32)
extern "C" {
typedef void (*OrvaneDebugListener)(const char* text, void* context);
ORVANE_WIN32_API void orvane_win32_set_debug_listener(OrvaneDebugListener listener, void* context);
}
#endif
