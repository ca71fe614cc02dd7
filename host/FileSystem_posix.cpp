// std::filesystem behind the host's file operations (POSIX).
#if !defined(_WIN32)

#include <filesystem>
#include <system_error>

#include "host/FileSystem.h"

namespace orvane::host::files {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string TextOf(const fs::path& path)
{
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

}  // namespace

PathKind KindOf(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(PathOf(path), ec);
    if (!fs::exists(status))
        return PathKind::Missing;
    if (fs::is_regular_file(status))
        return PathKind::File;
    return fs::is_directory(status) ? PathKind::Folder : PathKind::Other;
}

std::optional<uint64_t> FileSize(const std::string& path)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(PathOf(path), ec);
    if (ec)
        return std::nullopt;
    return static_cast<uint64_t>(size);
}

std::FILE* Open(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

std::string Join(const std::string& a, const std::string& b)
{
    return TextOf(PathOf(a) / PathOf(b));
}

std::string Parent(const std::string& path)
{
    return TextOf(PathOf(path).parent_path());
}

std::string Absolute(const std::string& path)
{
    std::error_code ec;
    fs::path result = fs::absolute(PathOf(path), ec).lexically_normal();
    if (ec)
        return path;
    if (!result.empty() && !result.has_filename() && result != result.root_path())
        result = result.parent_path();
    return TextOf(result);
}

std::string ExecutableFolder(const char* argv0)
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return TextOf(self.parent_path());
    return argv0 != nullptr ? TextOf(fs::absolute(fs::path(argv0), ec).parent_path()) : "";
}

std::optional<std::string> TemporaryFolder()
{
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec)
        return std::nullopt;
    return TextOf(base);
}

bool Same(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return fs::equivalent(PathOf(a), PathOf(b), ec);
}

bool MakeFolder(const std::string& path)
{
    std::error_code ec;
    return fs::create_directory(PathOf(path), ec);
}

bool MakeFolders(const std::string& path)
{
    std::error_code ec;
    fs::create_directories(PathOf(path), ec);
    return fs::is_directory(PathOf(path), ec);
}

std::vector<std::string> List(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(PathOf(folder), ec))
        names.push_back(TextOf(entry.path().filename()));
    return names;
}

bool CopyTree(const std::string& from, const std::string& to, std::string& reason)
{
    std::error_code ec;
    fs::copy(PathOf(from), PathOf(to),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec)
        reason = ec.message();
    return !ec;
}

void RemoveTree(const std::string& path)
{
    std::error_code ec;
    fs::remove_all(PathOf(path), ec);
}

}  // namespace orvane::host::files

#endif
