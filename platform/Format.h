// Bounded text formatting and file opening for the module.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>

namespace orvane {

// Formats into dst, never writing more than dstSize bytes, always
// zero-terminated (when dstSize > 0). Returns the length written, or -1 when
// the expansion did not fit (dst then holds the cut text).
int FormatText(char* dst, size_t dstSize, const char* fmt, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
int FormatTextV(char* dst, size_t dstSize, const char* fmt, va_list args);

// Opens a file named with the game's backslash separators; the path is mapped
// to the platform's separators first. Returns null when it cannot be opened.
FILE* OpenFile(const char* path, const char* mode);

}  // namespace orvane
