// Limits on what the host programs read: a scenario line, a message file or
// standard input. Past a limit the input is refused with a message naming
// it, instead of growing without bound (a line with no end, /dev/zero).
#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace orvane::hostprog {

// One scenario line: room for the largest server message as hex, twice over.
constexpr size_t kMaxLineBytes = size_t{1} << 20;
// A message file or raw standard input.
constexpr size_t kMaxInputBytes = size_t{16} << 20;

enum class LineRead { kLine, kEnd, kTooLong, kFailed };

// Reads one line (without its '\n') of at most limit bytes. kTooLong when
// the line goes on past the limit; nothing more of it is kept.
LineRead ReadLimitedLine(std::istream& in, std::string& line, size_t limit = kMaxLineBytes);

// "the line is longer than 1048576 bytes"
std::string LineTooLongText(size_t limit = kMaxLineBytes);

// Reads all of in, at most limit bytes. False, with reason, past the limit
// or when the stream fails.
bool ReadLimitedStream(std::istream& in, size_t limit, std::string& bytes, std::string& reason);

// Reads a whole file of at most limit bytes. A folder, a file that cannot
// be opened or one past the limit is refused, with reason.
bool ReadLimitedFile(const std::filesystem::path& path, size_t limit, std::string& bytes,
                     std::string& reason);

}  // namespace orvane::hostprog
