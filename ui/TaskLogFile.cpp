#include "ui/TaskLogFile.h"

#include <cstdio>
#include <cstring>

#include "client/DebugLog.h"
#include "client/HostServices.h"
#include "platform/Format.h"
#include "platform/SafeFile.h"
#include "tasks/MessageFormats.h"

namespace orvane {

namespace {

constexpr int kCR = 0x0D;
constexpr int kLF = 0x0A;
// The old end-of-file mark: the note ends at it.
constexpr int kEndOfText = 0x1A;

const char kNoteFormat[] = "%s\\TaskLog.txt";
// Beside the note and no longer than its name, so it fits wherever the note does.
const char kNoteTempFormat[] = "%s\\TaskLog.tmp";

// Builds a path in the work folder. False without a host, when its work
// folder text has no terminating zero, or when the path does not fit whole.
bool WorkPath(char (&path)[kTaskLogPathSize], const char* format)
{
    const char* dir = HostWorkDir();
    return dir != nullptr && FormatText(path, sizeof path, format, dir) >= 0;
}

// Closes the file when the routine ends, whichever way.
class FileCloser {
public:
    explicit FileCloser(FILE* file) : m_file(file) {}
    ~FileCloser()
    {
        if (m_file != nullptr)
            std::fclose(m_file);
    }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    FILE* m_file;
};

// Reads the next byte of the note as it reads in the window: CR LF is one
// LF, 0x1A or the end of the file is EOF.
class NoteReader {
public:
    explicit NoteReader(FILE* file) : m_file(file), m_c(std::fgetc(file)) {}
    int Next()
    {
        int c = m_c;
        if (c == EOF || c == kEndOfText)
            return EOF;
        m_c = std::fgetc(m_file);
        if (c == kCR && m_c == kLF) {
            c = kLF;
            m_c = std::fgetc(m_file);
        }
        return c;
    }

private:
    FILE* m_file;
    int m_c;
};

void LogSaveFailure(const char* why)
{
    WriteDebugLog(g_LogSink, "WriteTaskLog() TaskLog.txt not saved: %s; the file is left as it was",
                  why);
}

}  // namespace

int32_t ReadTaskLog(char* buffer, int32_t size)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    char path[kTaskLogPathSize];
    if (!WorkPath(path, kNoteFormat))
        return 0;
    FILE* file = OpenRegularFile(path);
    if (file == nullptr)
        return 0;
    FileCloser closer(file);

    NoteReader reader(file);
    const int32_t room = size - 1;  // one byte stays for the terminating zero
    int32_t count = 0;
    int c = reader.Next();
    for (; count < room && c != EOF; c = reader.Next())
        buffer[count++] = static_cast<char>(c);
    // A note cut by the buffer ends before a double-byte character it would split.
    if (c != EOF) {
        buffer[count] = static_cast<char>(c);
        count = static_cast<int32_t>(
            GbkFitLength(std::string_view(buffer, static_cast<size_t>(count) + 1), count));
    }
    buffer[count] = '\0';
    return count;
}

bool WriteTaskLog(const char* data, int32_t length)
{
    char path[kTaskLogPathSize];
    char temp[kTaskLogPathSize];
    if (!WorkPath(path, kNoteFormat) || !WorkPath(temp, kNoteTempFormat)) {
        LogSaveFailure("no work folder it fits in");
        return false;
    }
    CReplacingFile file;
    bool written = file.Open(path, temp);
    if (written && data != nullptr && length > 0) {
        // Written in runs: each run ends just before a line feed, which then
        // goes out as CR LF.
        static const char kLineEnd[2] = {static_cast<char>(kCR), static_cast<char>(kLF)};
        const size_t total = static_cast<size_t>(length);
        size_t start = 0;
        while (written && start < total) {
            const void* found = std::memchr(data + start, kLF, total - start);
            const size_t end = found != nullptr
                                   ? static_cast<size_t>(static_cast<const char*>(found) - data)
                                   : total;
            written = file.Write(data + start, end - start) &&
                      (end == total || file.Write(kLineEnd, sizeof kLineEnd));
            start = end + 1;
        }
    }
    if (written && file.Commit())
        return true;
    char why[64];
    FormatText(why, sizeof why, "%s failed", SaveStepName(file.FailedStep()));
    LogSaveFailure(why);
    return false;
}

}  // namespace orvane
