// The input limits (InputLimits.h) for programs that read iostreams: the
// inspector, a Linux program.
#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <string>

#include "tools/hostlib/InputLimits.h"

namespace orvane::hostprog {

// As ReadLimitedLine on a C stream.
LineRead ReadLimitedLine(std::istream& in, std::string& line, size_t limit = kMaxLineBytes);

// Reads all of in, at most limit bytes. False, with reason, past the limit
// or when the stream fails.
bool ReadLimitedStream(std::istream& in, size_t limit, std::string& bytes, std::string& reason);

// Reads a whole file of at most limit bytes. A folder, a file that cannot
// be opened or one past the limit is refused, with reason.
bool ReadLimitedFile(const std::filesystem::path& path, size_t limit, std::string& bytes,
                     std::string& reason);

}  // namespace orvane::hostprog
