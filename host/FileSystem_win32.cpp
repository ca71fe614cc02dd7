// The Windows calls behind the host's file operations. Paths are UTF-8 here
// and UTF-16 for the system, so that any name the file system holds works.
#if defined(_WIN32)

#include <cwchar>

#include "host/FileSystem.h"
#include "platform/Win32.h"

namespace orvane::host::files {

namespace {

std::wstring Wide(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                            nullptr, nullptr);
    return utf8;
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return path;
    std::wstring full(n, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    if (written == 0 || written >= n)
        return path;
    full.resize(written);
    // "C:\" keeps its separator; "C:\dir\" does not.
    while (full.size() > 3 && IsSeparator(full.back()))
        full.pop_back();
    return full;
}

std::wstring JoinWide(const std::wstring& a, const std::wstring& b)
{
    if (a.empty())
        return b;
    return IsSeparator(a.back()) ? a + b : a + L'\\' + b;
}

DWORD AttributesOf(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str());
}

std::string ErrorText(DWORD code)
{
    return "system error " + std::to_string(code);
}

}  // namespace

PathKind KindOf(const std::string& path)
{
    const DWORD attributes = AttributesOf(Wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return PathKind::Folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) ? PathKind::Other : PathKind::File;
}

std::optional<uint64_t> FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::FILE* Open(const std::string& path, const char* mode)
{
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

std::string Join(const std::string& a, const std::string& b)
{
    return Utf8(JoinWide(Wide(a), Wide(b)));
}

std::string Parent(const std::string& path)
{
    const std::wstring wide = Wide(path);
    size_t end = wide.size();
    while (end > 0 && !IsSeparator(wide[end - 1]))
        --end;
    // The separator goes, but a root's ("C:\", "\") stays.
    if (end > 1 && !(end == 3 && wide[1] == L':'))
        --end;
    return Utf8(wide.substr(0, end));
}

std::string Absolute(const std::string& path)
{
    return Utf8(FullPath(Wide(path)));
}

std::string ExecutableFolder(const char* argv0)
{
    wchar_t buffer[32768];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, 32768);
    if (n > 0 && n < 32768)
        return Parent(Utf8(std::wstring(buffer, n)));
    return argv0 != nullptr ? Parent(Absolute(argv0)) : std::string();
}

std::optional<std::string> TemporaryFolder()
{
    wchar_t buffer[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    if (n == 0 || n > MAX_PATH)
        return std::nullopt;
    return Utf8(FullPath(std::wstring(buffer, n)));
}

bool Same(const std::string& a, const std::string& b)
{
    if (KindOf(a) == PathKind::Missing || KindOf(b) == PathKind::Missing)
        return false;
    // Windows names are case-insensitive; two spellings of one folder (a
    // link, a short name) are not told apart here.
    return lstrcmpiW(FullPath(Wide(a)).c_str(), FullPath(Wide(b)).c_str()) == 0;
}

bool MakeFolder(const std::string& path)
{
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}

bool MakeFolders(const std::string& path)
{
    const std::wstring full = FullPath(Wide(path));
    for (size_t i = 0; i <= full.size(); ++i) {
        if (i == full.size() || (IsSeparator(full[i]) && i > 0 && full[i - 1] != L':'))
            CreateDirectoryW(full.substr(0, i).c_str(), nullptr);
    }
    return KindOf(path) == PathKind::Folder;
}

std::vector<std::string> List(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(JoinWide(Wide(folder), L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
            names.push_back(Utf8(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool CopyTree(const std::string& from, const std::string& to, std::string& reason)
{
    const DWORD attributes = AttributesOf(Wide(from));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        reason = ErrorText(GetLastError());
        return false;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (!CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE)) {
            reason = ErrorText(GetLastError());
            return false;
        }
        return true;
    }
    if (!CreateDirectoryW(Wide(to).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        reason = ErrorText(GetLastError());
        return false;
    }
    for (const std::string& name : List(from)) {
        if (!CopyTree(Join(from, name), Join(to, name), reason))
            return false;
    }
    return true;
}

void RemoveTree(const std::string& path)
{
    const std::wstring wide = Wide(path);
    const DWORD attributes = AttributesOf(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(wide.c_str());
        return;
    }
    for (const std::string& name : List(path))
        RemoveTree(Join(path, name));
    RemoveDirectoryW(wide.c_str());
}

}  // namespace orvane::host::files

#endif
