// The few file-system operations the host programs need, on UTF-8 paths.
// std::filesystem on POSIX; the Windows calls themselves on Windows, where
// the Microsoft-ABI build has no std::filesystem.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace orvane::host::files {

enum class PathKind { Missing, File, Folder, Other };

PathKind KindOf(const std::string& path);
// Nullopt when the path is no file or its size cannot be read.
std::optional<uint64_t> FileSize(const std::string& path);
// Null when the file cannot be opened; mode as for fopen.
std::FILE* Open(const std::string& path, const char* mode);
// The whole file. False when it cannot be opened or read.
bool ReadAll(const std::string& path, std::string& bytes);

// a and b joined by the platform's separator.
std::string Join(const std::string& a, const std::string& b);
// The folder part of the path: empty for a bare name.
std::string Parent(const std::string& path);
// The absolute, normalised path, without a trailing separator (but for a
// root); the path as given when that cannot be made.
std::string Absolute(const std::string& path);
// The folder of the running program, or of argv0 when the system cannot tell.
std::string ExecutableFolder(const char* argv0);
// The system's folder for temporary files; nullopt when there is none.
std::optional<std::string> TemporaryFolder();
// True when both paths name the same existing folder or file.
bool Same(const std::string& a, const std::string& b);

// Makes one folder; false when it exists already or cannot be made.
bool MakeFolder(const std::string& path);
// Makes the folder with its parents; true when it is a folder afterwards.
bool MakeFolders(const std::string& path);
// The names in a folder (not "." and ".."), in no set order.
std::vector<std::string> List(const std::string& folder);
// Copies a file, or a folder with everything in it, over what is at `to`.
// False with a reason on the first failure.
bool CopyTree(const std::string& from, const std::string& to, std::string& reason);
// Removes a file, or a folder with everything in it; failures are ignored.
void RemoveTree(const std::string& path);

}  // namespace orvane::host::files
