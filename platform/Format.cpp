#include "platform/Format.h"

#include <string>

namespace orvane {

int FormatTextV(char* dst, size_t dstSize, const char* fmt, va_list args)
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
    std::string mapped(path);
    for (char& c : mapped)
        if (c == '\\')
            c = '/';
    return std::fopen(mapped.c_str(), mode);
#endif
}

}  // namespace orvane
