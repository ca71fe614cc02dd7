// Files the module keeps: only a regular file is ever opened (a pipe or a
// device would stall the game or swallow the text, a folder is not a file),
// and a file is replaced in one step, so a save that fails part way leaves
// the old one whole. Paths use the game's backslash separators.
#pragma once

#include <cstddef>
#include <cstdio>

namespace orvane {

// Opens path for binary reading when it names a regular file. Never waits:
// a pipe, a device or a folder gives null, as does a missing file.
FILE* OpenRegularFile(const char* path);

// The step at which a save failed.
enum class SaveStep { kNone, kOpen, kWrite, kFlush, kClose, kReplace };

// "open", "write", "flush", "close", "replace"; "" for kNone.
const char* SaveStepName(SaveStep step);

// A new version of a file, written beside it under a temporary name and put
// in its place by Commit. Whatever fails, the old file stays as it was and
// the temporary file is removed.
class CReplacingFile {
public:
    CReplacingFile() = default;
    // An uncommitted save is abandoned: closed and its temporary file removed.
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    // Creates tempPath for writing. False, with nothing made, when path
    // exists but is not a regular file or tempPath cannot be created as one.
    bool Open(const char* path, const char* tempPath);
    bool Write(const void* bytes, size_t count);
    // Flushes the bytes to the disk, closes the file and replaces path with
    // it in one step. False when any of these fails.
    bool Commit();
    SaveStep FailedStep() const { return m_failed; }

private:
    bool Fail(SaveStep step);
    void Abandon();

    FILE* m_file = nullptr;
    bool m_bTempMade = false;
    SaveStep m_failed = SaveStep::kNone;
    char m_path[512] = {};
    char m_temp[512] = {};
};

// For tests: the next save fails at step as if the system had refused it
// (kNone: no failure). Each planned failure happens once.
void FailNextSaveAt(SaveStep step);

}  // namespace orvane
