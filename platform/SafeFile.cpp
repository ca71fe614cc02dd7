#include "platform/SafeFile.h"

#include <cstdint>
#include <cstring>

#if defined(_WIN32)
#include <io.h>

#include "platform/Win32.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvane {

namespace {

SaveStep g_plannedFailure = SaveStep::kNone;

// True once when the planned failure is at step.
bool PlannedFailure(SaveStep step)
{
    if (g_plannedFailure != step || step == SaveStep::kNone)
        return false;
    g_plannedFailure = SaveStep::kNone;
    return true;
}

// Copies path with the platform's separators; false when it does not fit.
bool MapPath(const char* path, char (&out)[512])
{
    if (path == nullptr)
        return false;
    const size_t length = std::strlen(path);
    if (length >= sizeof out)
        return false;
    for (size_t i = 0; i <= length; ++i) {
#if defined(_WIN32)
        out[i] = path[i];
#else
        out[i] = path[i] == '\\' ? '/' : path[i];
#endif
    }
    return true;
}

#if defined(_WIN32)

// A file that exists but is a folder or a device.
bool ExistsAsOther(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0;
}

bool IsDiskFile(FILE* file)
{
    const intptr_t handle = _get_osfhandle(_fileno(file));
    return handle != -1 && GetFileType(reinterpret_cast<HANDLE>(handle)) == FILE_TYPE_DISK;
}

FILE* OpenChecked(const char* path, const char* mode)
{
    if (ExistsAsOther(path))
        return nullptr;
    FILE* file = std::fopen(path, mode);
    if (file != nullptr && !IsDiskFile(file)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

bool SyncToDisk(FILE* file)
{
    return _commit(_fileno(file)) == 0;
}

bool ReplaceWith(const char* temp, const char* path)
{
    return MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void RemoveFile(const char* path)
{
    DeleteFileA(path);
}

#else

bool ExistsAsOther(const char* path)
{
    struct stat info;
    return ::stat(path, &info) == 0 && !S_ISREG(info.st_mode);
}

// Opens without waiting on a pipe's other end, then keeps only a regular file.
FILE* OpenChecked(const char* path, int flags, const char* mode)
{
    const int fd = ::open(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* file = ::fdopen(fd, mode);
    if (file == nullptr)
        ::close(fd);
    return file;
}

bool SyncToDisk(FILE* file)
{
    return ::fsync(::fileno(file)) == 0;
}

bool ReplaceWith(const char* temp, const char* path)
{
    return std::rename(temp, path) == 0;
}

void RemoveFile(const char* path)
{
    ::unlink(path);
}

#endif

}  // namespace

FILE* OpenRegularFile(const char* path)
{
    char mapped[512];
    if (!MapPath(path, mapped))
        return nullptr;
#if defined(_WIN32)
    return OpenChecked(mapped, "rb");
#else
    return OpenChecked(mapped, O_RDONLY, "rb");
#endif
}

const char* SaveStepName(SaveStep step)
{
    switch (step) {
        case SaveStep::kOpen:
            return "open";
        case SaveStep::kWrite:
            return "write";
        case SaveStep::kFlush:
            return "flush";
        case SaveStep::kClose:
            return "close";
        case SaveStep::kReplace:
            return "replace";
        case SaveStep::kNone:
            break;
    }
    return "";
}

void FailNextSaveAt(SaveStep step)
{
    g_plannedFailure = step;
}

CReplacingFile::~CReplacingFile()
{
    Abandon();
}

bool CReplacingFile::Fail(SaveStep step)
{
    if (m_failed == SaveStep::kNone)
        m_failed = step;
    Abandon();
    return false;
}

void CReplacingFile::Abandon()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (m_bTempMade) {
        RemoveFile(m_temp);
        m_bTempMade = false;
    }
}

bool CReplacingFile::Open(const char* path, const char* tempPath)
{
    if (m_file != nullptr || m_bTempMade)
        return Fail(SaveStep::kOpen);
    if (!MapPath(path, m_path) || !MapPath(tempPath, m_temp) || ExistsAsOther(m_path) ||
        PlannedFailure(SaveStep::kOpen))
        return Fail(SaveStep::kOpen);
#if defined(_WIN32)
    m_file = OpenChecked(m_temp, "wb");
#else
    // Never through a link someone left under the temporary name.
    m_file = OpenChecked(m_temp, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, "wb");
#endif
    if (m_file == nullptr)
        return Fail(SaveStep::kOpen);
    m_bTempMade = true;
    return true;
}

bool CReplacingFile::Write(const void* bytes, size_t count)
{
    if (m_file == nullptr)
        return Fail(SaveStep::kWrite);
    if (count == 0)
        return true;
    if (PlannedFailure(SaveStep::kWrite) || std::fwrite(bytes, 1, count, m_file) != count)
        return Fail(SaveStep::kWrite);
    return true;
}

bool CReplacingFile::Commit()
{
    if (m_file == nullptr)
        return Fail(m_failed != SaveStep::kNone ? m_failed : SaveStep::kOpen);
    if (PlannedFailure(SaveStep::kFlush) || std::fflush(m_file) != 0 || !SyncToDisk(m_file))
        return Fail(SaveStep::kFlush);
    FILE* file = m_file;
    m_file = nullptr;
    // Closed either way: a failed close has still let go of the file.
    if (std::fclose(file) != 0 || PlannedFailure(SaveStep::kClose))
        return Fail(SaveStep::kClose);
    if (PlannedFailure(SaveStep::kReplace) || !ReplaceWith(m_temp, m_path))
        return Fail(SaveStep::kReplace);
    m_bTempMade = false;
    return true;
}

}  // namespace orvane
