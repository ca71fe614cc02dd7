#include "tools/hostlib/StreamLimits.h"

#include <fstream>
#include <istream>
#include <streambuf>

namespace orvane::hostprog {

LineRead ReadLimitedLine(std::istream& in, std::string& line, size_t limit)
{
    line.clear();
    std::streambuf* buf = in.rdbuf();
    if (buf == nullptr || !in.good())
        return in.bad() ? LineRead::kFailed : LineRead::kEnd;
    return TakeLimitedLine(line, limit, [&]() -> std::optional<char> {
        const int c = buf->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return std::nullopt;
        }
        return static_cast<char>(c);
    });
}

bool ReadLimitedStream(std::istream& in, size_t limit, std::string& bytes, std::string& reason)
{
    bytes.clear();
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        const size_t got = static_cast<size_t>(in.gcount());
        if (got > limit - bytes.size()) {
            reason = "more than " + std::to_string(limit) + " bytes";
            return false;
        }
        bytes.append(chunk, got);
    }
    if (in.bad()) {
        reason = "it cannot be read";
        return false;
    }
    return true;
}

bool ReadLimitedFile(const std::filesystem::path& path, size_t limit, std::string& bytes,
                     std::string& reason)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reason = "a folder, not a file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "the file cannot be read";
        return false;
    }
    return ReadLimitedStream(in, limit, bytes, reason);
}

}  // namespace orvane::hostprog
