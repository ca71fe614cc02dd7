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
// the text. At most size - 1 bytes are stored, followed by a zero byte.
// Returns the number of text bytes. Without a readable file (or with a work
// folder that does not fit) returns 0 and leaves buffer untouched.
int32_t ReadTaskLog(char* buffer, int32_t size);

// Creates or empties the note file and writes length bytes of data, each LF
// as CR LF. When the file cannot be opened (or the work folder does not
// fit) nothing is written and an existing file stays as it was. Always true.
bool WriteTaskLog(const char* data, int32_t length);

}  // namespace orvane
