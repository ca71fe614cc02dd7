#include "host/Encoding.h"

#include <climits>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace orvane::host {

namespace {

#if defined(_WIN32)

constexpr UINT kGbkCodePage = 936;

std::optional<std::wstring> ToWide(UINT codePage, std::string_view in)
{
    if (in.empty())
        return std::wstring();
    if (in.size() > static_cast<size_t>(INT_MAX))
        return std::nullopt;
    const int inLen = static_cast<int>(in.size());
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), inLen, nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring out(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), inLen, out.data(), n) != n)
        return std::nullopt;
    return out;
}

std::optional<std::string> FromWide(UINT codePage, const std::wstring& in)
{
    if (in.empty())
        return std::string();
    if (in.size() > static_cast<size_t>(INT_MAX))
        return std::nullopt;
    const int inLen = static_cast<int>(in.size());
    // UTF-8 takes neither flags nor a default-character report; code page 936
    // must say when it had to substitute, which counts as not convertible.
    const bool toUtf8 = codePage == CP_UTF8;
    const DWORD flags = toUtf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* pUsedDefault = toUtf8 ? nullptr : &usedDefault;
    const int n =
        WideCharToMultiByte(codePage, flags, in.data(), inLen, nullptr, 0, nullptr, pUsedDefault);
    if (n <= 0 || usedDefault)
        return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(codePage, flags, in.data(), inLen, out.data(), n, nullptr,
                            pUsedDefault) != n ||
        usedDefault)
        return std::nullopt;
    return out;
}

std::optional<std::string> Convert(UINT from, UINT to, std::string_view in)
{
    const std::optional<std::wstring> wide = ToWide(from, in);
    if (!wide)
        return std::nullopt;
    return FromWide(to, *wide);
}

#else

// Strict conversion: any invalid or incomplete input, or a character the
// target cannot hold, fails the whole text.
std::optional<std::string> Convert(const char* from, const char* to, std::string_view in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    // Closed however the conversion ends, a failed allocation included.
    struct Closer {
        iconv_t cd;
        ~Closer() { iconv_close(cd); }
    } closer{cd};
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    size_t done = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        size_t outLeft = out.size() - done;
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        done = out.size() - outLeft;
        if (rc != static_cast<size_t>(-1))
            continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false;  // EILSEQ, or EINVAL for a sequence cut short
        break;
    }
    if (!ok)
        return std::nullopt;
    out.resize(done);
    return out;
}

#endif

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8)
{
#if defined(_WIN32)
    return Convert(CP_UTF8, kGbkCodePage, utf8);
#else
    return Convert("UTF-8", "CP936", utf8);
#endif
}

std::optional<std::string> GbkToUtf8(std::string_view gbk)
{
#if defined(_WIN32)
    return Convert(kGbkCodePage, CP_UTF8, gbk);
#else
    return Convert("CP936", "UTF-8", gbk);
#endif
}

}  // namespace orvane::host
