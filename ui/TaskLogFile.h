// TaskLog.txt in the host's work folder: the task log's note, kept from one
// run of the client to the next. The file holds the note's bytes with every
// line feed stored as CR LF, the same bytes on every platform.
#pragma once

#include <cstdint>

namespace orvane {

// The note file's path is built in a buffer of this size; a work folder
// whose path does not fit whole is refused.
constexpr int32_t kTaskLogPathSize = 256;

// Reads the note into buffer: CR LF comes back as LF and a 0x1A byte ends
// the text. At most size - 1 bytes are stored, followed by a zero byte; a
// note cut there ends before a double-byte character it would split.
// Returns the number of text bytes. Only a regular file is read: without
// one (or with a work folder that does not fit) returns 0 and leaves buffer
// untouched.
int32_t ReadTaskLog(char* buffer, int32_t size);

// Saves length bytes of data as the note file, each LF as CR LF: written to
// TaskLog.tmp beside it, then put in its place in one step. On any failure
// the old file stays whole, the temporary file is removed, one debug-log
// line says so, and the result is false. Only a regular file is replaced.
bool WriteTaskLog(const char* data, int32_t length);

}  // namespace orvane
