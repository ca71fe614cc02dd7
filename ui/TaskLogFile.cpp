#include "ui/TaskLogFile.h"

#include <cstdio>
#include <cstring>

#include "client/HostInterfaces.h"
#include "client/ModuleState.h"
#include "platform/Format.h"

namespace orvane {

namespace {

constexpr int kCR = 0x0D;
constexpr int kLF = 0x0A;
// The old end-of-file mark: the note ends at it.
constexpr int kEndOfText = 0x1A;

// Builds "<work folder>\TaskLog.txt". False when there is no host, its work
// folder text has no terminating zero, or the path does not fit whole.
bool TaskLogPath(char (&path)[kTaskLogPathSize])
{
    if (g_pGlobalClient == nullptr)
        return false;
    const char* dir = g_pGlobalClient->m_szWorkDir;
    if (std::memchr(dir, '\0', sizeof g_pGlobalClient->m_szWorkDir) == nullptr)
        return false;
    return FormatText(path, sizeof path, "%s\\TaskLog.txt", dir) >= 0;
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

}  // namespace

int32_t ReadTaskLog(char* buffer, int32_t size)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    char path[kTaskLogPathSize];
    if (!TaskLogPath(path))
        return 0;
    // Binary on every platform: the line-end rules are applied here, so the
    // file means the same wherever it is read.
    FILE* file = OpenFile(path, "rb");
    if (file == nullptr)
        return 0;
    FileCloser closer(file);

    const int32_t room = size - 1;  // one byte stays for the terminating zero
    int32_t count = 0;
    int c = std::fgetc(file);
    while (count < room && c != EOF && c != kEndOfText) {
        if (c == kCR) {
            const int next = std::fgetc(file);
            if (next == kLF) {
                buffer[count++] = static_cast<char>(kLF);
                c = std::fgetc(file);
                continue;
            }
            // A lone CR is kept; the byte after it is looked at next.
            buffer[count++] = static_cast<char>(kCR);
            c = next;
            continue;
        }
        buffer[count++] = static_cast<char>(c);
        c = std::fgetc(file);
    }
    buffer[count] = '\0';
    return count;
}

bool WriteTaskLog(const char* data, int32_t length)
{
    char path[kTaskLogPathSize];
    if (!TaskLogPath(path))
        return true;
    FILE* file = OpenFile(path, "wb");
    if (file == nullptr)
        return true;
    FileCloser closer(file);
    if (data == nullptr || length <= 0)
        return true;

    // Written in runs: each run ends just before a line feed, which then
    // goes out as CR LF.
    static const char kLineEnd[2] = {static_cast<char>(kCR), static_cast<char>(kLF)};
    const size_t total = static_cast<size_t>(length);
    size_t start = 0;
    while (start < total) {
        const void* found = std::memchr(data + start, kLF, total - start);
        const size_t end =
            found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - data) : total;
        if (end > start && std::fwrite(data + start, 1, end - start, file) != end - start)
            return true;
        if (end == total)
            break;
        if (std::fwrite(kLineEnd, 1, sizeof kLineEnd, file) != sizeof kLineEnd)
            return true;
        start = end + 1;
    }
    return true;
}

}  // namespace orvane
