#include "tools/hostlib/InputLimits.h"

namespace orvane::hostprog {

LineRead ReadLimitedLine(std::FILE* in, std::string& line, size_t limit)
{
    line.clear();
    for (;;) {
        const int c = std::fgetc(in);
        if (c == EOF) {
            if (std::ferror(in) != 0)
                return LineRead::kFailed;
            return line.empty() ? LineRead::kEnd : LineRead::kLine;
        }
        if (c == '\n')
            return LineRead::kLine;
        if (line.size() == limit)
            return LineRead::kTooLong;
        line.push_back(static_cast<char>(c));
    }
}

std::string LineTooLongText(size_t limit)
{
    return "the line is longer than " + std::to_string(limit) + " bytes";
}

}  // namespace orvane::hostprog
