#include "host/FileSystem.h"

namespace orvane::host::files {

bool ReadAll(const std::string& path, std::string& bytes)
{
    std::FILE* in = Open(path, "rb");
    if (in == nullptr)
        return false;
    bytes.clear();
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.append(buffer, got);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    return !failed;
}

}  // namespace orvane::host::files
