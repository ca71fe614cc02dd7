#include "tools/hostlib/InputLimits.h"

namespace orvane::hostprog {

LineRead ReadLimitedLine(std::FILE* in, std::string& line, size_t limit)
{
    bool failed = false;
    const LineRead read = TakeLimitedLine(line, limit, [&]() -> std::optional<char> {
        const int c = std::fgetc(in);
        if (c == EOF) {
            failed = std::ferror(in) != 0;
            return std::nullopt;
        }
        return static_cast<char>(c);
    });
    return failed ? LineRead::kFailed : read;
}

std::string LineTooLongText(size_t limit)
{
    return "the line is longer than " + std::to_string(limit) + " bytes";
}

}  // namespace orvane::hostprog
