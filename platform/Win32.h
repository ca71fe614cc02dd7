// The handful of Windows types and calls the module uses. On Windows they are
// the real ones; elsewhere a stand-in library (orvane_win32) provides them.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else

#if defined(ORVANE_WIN32_BUILD)
#define ORVANE_WIN32_API __attribute__((visibility("default")))
#else
#define ORVANE_WIN32_API
#endif

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
typedef void* HINSTANCE;

struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct POINT {
    int32_t x;
    int32_t y;
};

struct SIZE {
    int32_t cx;
    int32_t cy;
};

extern "C" {
// Writes the text to the debug-output channel. The stand-in records it.
ORVANE_WIN32_API void OutputDebugStringA(const char* text);
// Copies src into dst; FALSE when either is null.
ORVANE_WIN32_API BOOL CopyRect(RECT* dst, const RECT* src);
}

#endif
