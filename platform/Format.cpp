#include "platform/Format.h"

#include <cstring>
#include <string>

#if defined(_WIN32)
#include "platform/Win32.h"
#endif

namespace orvane {

#if defined(_WIN32)
namespace {

// wvsprintfA writes at most this many bytes, the terminating zero included.
constexpr size_t kWsprintfLimit = 1024;

// True when every conversion in fmt is one that wvsprintfA expands exactly as
// the C library does: %s with '-', a width and a precision; %d %i %u %x %X
// with '-', '0' and a width; and %%. Anything else (floating point, '*',
// size prefixes, '+', ' ', '#') stays with the C library's formatter.
bool WsprintfCanExpand(const char* fmt)
{
    for (const char* p = fmt; *p != '\0'; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        bool zeroPad = false;
        for (; *p == '-' || *p == '0'; ++p)
            zeroPad = zeroPad || *p == '0';
        while (*p >= '0' && *p <= '9')
            ++p;
        bool precision = false;
        if (*p == '.') {
            precision = true;
            for (++p; *p >= '0' && *p <= '9'; ++p) {
            }
        }
        switch (*p) {
            case 's':
                if (zeroPad)
                    return false;
                break;
            case 'd':
            case 'i':
            case 'u':
            case 'x':
            case 'X':
                if (precision)
                    return false;
                break;
            default:
                return false;
        }
    }
    return true;
}

}  // namespace
#endif

namespace {

// Returns the length written, or -1 when the expansion did not fit.
int BoundedFormatV(char* dst, size_t dstSize, const char* fmt, va_list args)
{
    if (dst == nullptr || dstSize == 0)
        return -1;
    int n = std::vsnprintf(dst, dstSize, fmt, args);
    if (n < 0) {
        dst[0] = '\0';
        return -1;
    }
    if (static_cast<size_t>(n) >= dstSize)
        return -1;
    return n;
}

}  // namespace

// The C library's vsnprintf is the bounded formatter everywhere. On Windows
// the text is then expanded a second time by the system's wvsprintfA when it
// certainly fits: the format uses only conversions both formatters share, and
// the measured length is below wvsprintfA's 1024-byte limit and the buffer.
// wvsprintfA writes into a local buffer of its full limit, and its result is
// taken only when its length agrees, so nothing it does can overrun dst.
int FormatTextV(char* dst, size_t dstSize, const char* fmt, va_list args)
{
#if defined(_WIN32)
    va_list again;
    va_copy(again, args);
    int n = BoundedFormatV(dst, dstSize, fmt, args);
    if (n >= 0 && static_cast<size_t>(n) < kWsprintfLimit && WsprintfCanExpand(fmt)) {
        char system[kWsprintfLimit];
        if (::wvsprintfA(system, fmt, again) == n)
            std::memcpy(dst, system, static_cast<size_t>(n) + 1);
    }
    va_end(again);
    return n;
#else
    return BoundedFormatV(dst, dstSize, fmt, args);
#endif
}

int FormatText(char* dst, size_t dstSize, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    int n = FormatTextV(dst, dstSize, fmt, args);
    va_end(args);
    return n;
}

FILE* OpenFile(const char* path, const char* mode)
{
    if (path == nullptr || mode == nullptr)
        return nullptr;
#if defined(_WIN32)
    return std::fopen(path, mode);
#else
    // Mapped on the stack: opening a file must not fail for want of memory
    // (the task log is written from a destructor).
    char mapped[4096];
    const size_t length = std::strlen(path);
    if (length >= sizeof mapped)
        return nullptr;
    for (size_t i = 0; i <= length; ++i)
        mapped[i] = path[i] == '\\' ? '/' : path[i];
    return std::fopen(mapped, mode);
#endif
}

}  // namespace orvane
