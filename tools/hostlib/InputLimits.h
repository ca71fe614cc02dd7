// Limits on what the host programs read: a scenario line, a message file or
// standard input. Past a limit the input is refused with a message naming
// it, instead of growing without bound (a line with no end, /dev/zero).
// C streams only: orvane-host is built in the Microsoft ABI too, which has
// no iostreams (the inspector's stream readers: StreamLimits.h).
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

namespace orvane::hostprog {

// One scenario line: room for the largest server message as hex, twice over.
constexpr size_t kMaxLineBytes = size_t{1} << 20;
// A message file or raw standard input.
constexpr size_t kMaxInputBytes = size_t{16} << 20;

enum class LineRead { kLine, kEnd, kTooLong, kFailed };

// Reads one line (without its '\n') of at most limit bytes. kTooLong when
// the line goes on past the limit; nothing more of it is kept.
LineRead ReadLimitedLine(std::FILE* in, std::string& line, size_t limit = kMaxLineBytes);

// The line reading both stream kinds share: next() gives the next byte, or
// nothing at the end of the input.
template <class Next>
LineRead TakeLimitedLine(std::string& line, size_t limit, Next&& next)
{
    line.clear();
    for (;;) {
        const std::optional<char> c = next();
        if (!c)
            return line.empty() ? LineRead::kEnd : LineRead::kLine;
        if (*c == '\n')
            return LineRead::kLine;
        if (line.size() == limit)
            return LineRead::kTooLong;
        line.push_back(*c);
    }
}

// "the line is longer than 1048576 bytes"
std::string LineTooLongText(size_t limit = kMaxLineBytes);

}  // namespace orvane::hostprog
