// TaskLog.txt: CR LF on disk, LF in the note, the same bytes everywhere.
#include <csignal>
#include <cstring>

#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include "platform/SafeFile.h"
#include "tests/ui_log/TaskLogTesting.h"
#include "ui/TaskLogFile.h"

namespace orvane::test {
namespace {

std::string Repeat(const std::string& piece, size_t times)
{
    std::string out;
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

class TaskLogFileTest : public TaskLogFixture {
protected:
    void SetUp() override
    {
        TaskLogFixture::SetUp();
        CreateClient();  // gives the module its host and work folder
    }
    // Reads into a 1024-byte buffer followed by guard bytes.
    std::string Read(int32_t* count = nullptr)
    {
        std::vector<char> buffer(1024 + 16, '\x55');
        const int32_t n = ReadTaskLog(buffer.data(), 1024);
        if (count != nullptr)
            *count = n;
        for (size_t i = 1024; i < buffer.size(); ++i)
            EXPECT_EQ(buffer[i], '\x55') << "written past the buffer at " << i;
        return std::string(buffer.data(), std::strlen(buffer.data()));
    }
};

TEST_F(TaskLogFileTest, WritesLineFeedsAsCrLfAndReadsThemBack)
{
    const struct {
        std::string note;
        std::string file;
    } cases[] = {
        {"a\nb", "a\r\nb"},
        {"a\r\nb", "a\r\r\nb"},
        {"\n\n", "\r\n\r\n"},
        {"\xC8\xCE\xCE\xF1\n" /* 任务 */, "\xC8\xCE\xCE\xF1\r\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::filesystem::remove(LogFile());
        EXPECT_TRUE(WriteTaskLog(c.note.data(), static_cast<int32_t>(c.note.size())));
        ASSERT_TRUE(std::filesystem::exists(LogFile()));
        EXPECT_EQ(ReadBytes(LogFile()), c.file);
        int32_t count = -1;
        EXPECT_EQ(Read(&count), c.note);
        EXPECT_EQ(count, static_cast<int32_t>(c.note.size()));
    }
}

TEST_F(TaskLogFileTest, ReadsWithTheTextModeRules)
{
    const struct {
        std::string file;
        std::string text;
    } cases[] = {
        {"a\x1A"
         "b",
         "a"},
        {"a\rb", "a\rb"},
        {"a\r", "a\r"},
        {"a\r\x1A\r\nb", "a\r"},
        {std::string(1023, 'x'), std::string(1023, 'x')},
        {std::string(1024, 'x'), std::string(1023, 'x')},
        {std::string(3000, 'x'), std::string(1023, 'x')},
        {std::string(1022, 'x') + "\r\nz", std::string(1022, 'x') + "\n"},
        {std::string(1023, 'x') + "\r\n", std::string(1023, 'x')},
        // A double-byte character split by the buffer is left out whole.
        {Repeat("\xD6\xD0" /* 中 */, 600), Repeat("\xD6\xD0", 511)},
        {"x" + Repeat("\xD6\xD0", 600), "x" + Repeat("\xD6\xD0", 511)},
        {"x" + Repeat("\xD6\xD0", 511), "x" + Repeat("\xD6\xD0", 511)},
        {std::string(1022, 'x') + "\xD6", std::string(1022, 'x') + "\xD6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 8));
        WriteBytes(LogFile(), c.file);
        int32_t count = -1;
        EXPECT_EQ(Read(&count), c.text);
        EXPECT_EQ(count, static_cast<int32_t>(c.text.size()));
    }
}

TEST_F(TaskLogFileTest, MissingFileLeavesTheBufferUntouched)
{
    char buffer[8];
    std::memset(buffer, 'q', sizeof buffer);
    EXPECT_EQ(ReadTaskLog(buffer, sizeof buffer), 0);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(8, 'q'));
}

// The path "<folder>\TaskLog.txt" must fit in 256 bytes with its zero: a
// folder of 243 characters is the longest one taken.
TEST_F(TaskLogFileTest, RefusesAWorkFolderTooLongForThePath)
{
    const std::string base = work.String() + "/";
    for (const size_t length : {size_t{243}, size_t{244}}) {
        SCOPED_TRACE(length);
        ASSERT_LT(base.size(), length);
        const std::filesystem::path dir = base + std::string(length - base.size(), 'd');
        std::filesystem::create_directories(dir);
        WriteBytes(dir / "TaskLog.txt", "old");
        ASSERT_TRUE(host.SetWorkDir(dir.string()));
        const bool taken = length == 243;

        char buffer[16] = "untouched";
        EXPECT_EQ(ReadTaskLog(buffer, sizeof buffer), taken ? 3 : 0);
        EXPECT_STREQ(buffer, taken ? "old" : "untouched");
        EXPECT_EQ(WriteTaskLog("new", 3), taken);
        EXPECT_EQ(ReadBytes(dir / "TaskLog.txt"), taken ? "new" : "old");
    }
}

TEST_F(TaskLogFileTest, RefusesAWorkFolderWithoutItsZero)
{
    std::memset(host.Client()->m_szWorkDir, 'd', sizeof host.Client()->m_szWorkDir);
    char buffer[4] = "abc";
    EXPECT_EQ(ReadTaskLog(buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_FALSE(WriteTaskLog("x", 1));
}

// Whatever step of a save fails, the old note stays whole, no temporary
// file is left, and one line says what failed.
TEST_F(TaskLogFileTest, AFailedSaveKeepsTheOldNote)
{
    const std::string old = "old note\r\nsecond line";
    const std::string note(1023, 'n');
    for (const SaveStep step : {SaveStep::kOpen, SaveStep::kWrite, SaveStep::kFlush,
                                SaveStep::kClose, SaveStep::kReplace}) {
        SCOPED_TRACE(SaveStepName(step));
        WriteBytes(LogFile(), old);
        TakePrints();
        FailNextSaveAt(step);
        EXPECT_FALSE(WriteTaskLog(note.data(), static_cast<int32_t>(note.size())));
        EXPECT_EQ(ReadBytes(LogFile()), old);
        EXPECT_FALSE(std::filesystem::exists(work.Path() / "TaskLog.tmp"));
        EXPECT_EQ(TakePrints(), std::vector<std::string>{"WriteTaskLog() TaskLog.txt not saved: " +
                                                         std::string(SaveStepName(step)) +
                                                         " failed; the file is left as it was"});
    }
    // A temporary file left by a save that was cut short is simply replaced.
    WriteBytes(work.Path() / "TaskLog.tmp", "stale");
    EXPECT_TRUE(WriteTaskLog("new\n", 4));
    EXPECT_EQ(ReadBytes(LogFile()), "new\r\n");
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "TaskLog.tmp"));
}

#if !defined(_WIN32)
// A full disk, as a file-size limit gives it: the new note does not fit.
TEST_F(TaskLogFileTest, AFullDiskKeepsTheOldNote)
{
    const std::string old(930, 'o');
    WriteBytes(LogFile(), old);
    std::string note;
    while (note.size() + 10 <= 1023)
        note += "123456789\n";
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limit = saved;
    limit.rlim_cur = 1024;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool saved_note = WriteTaskLog(note.data(), static_cast<int32_t>(note.size()));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved_note);
    EXPECT_EQ(ReadBytes(LogFile()), old);
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "TaskLog.tmp"));
}
#endif

// Only a regular file is read or replaced: a pipe never stalls the game and
// a folder of that name is left alone.
TEST_F(TaskLogFileTest, OnlyARegularFileIsOpened)
{
    const struct {
        const char* name;
        std::filesystem::path path;
        bool pipe;
    } cases[] = {
        {"folder as the note", LogFile(), false},
        {"folder as the temporary file", work.Path() / "TaskLog.tmp", false},
#if !defined(_WIN32)
        {"pipe as the note", LogFile(), true},
        {"pipe as the temporary file", work.Path() / "TaskLog.tmp", true},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(LogFile());
        std::filesystem::remove_all(work.Path() / "TaskLog.tmp");
#if !defined(_WIN32)
        if (c.pipe) {
            ASSERT_EQ(mkfifo(c.path.c_str(), 0600), 0);
        }
#endif
        if (!c.pipe)
            std::filesystem::create_directory(c.path);
        char buffer[8] = "same";
        EXPECT_EQ(ReadTaskLog(buffer, sizeof buffer), 0);
        EXPECT_STREQ(buffer, "same");
        EXPECT_FALSE(WriteTaskLog("note", 4));
        EXPECT_EQ(
            std::filesystem::status(c.path).type(),
            c.pipe ? std::filesystem::file_type::fifo : std::filesystem::file_type::directory);
    }
    std::filesystem::remove_all(LogFile());
    std::filesystem::remove_all(work.Path() / "TaskLog.tmp");
}

}  // namespace
}  // namespace orvane::test
