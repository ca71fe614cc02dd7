// TaskLog.txt: CR LF on disk, LF in the note, the same bytes everywhere.
#include <cstring>

#include "tests/ui_log/TaskLogTesting.h"
#include "ui/TaskLogFile.h"

namespace orvane::test {
namespace {

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
        EXPECT_TRUE(WriteTaskLog("new", 3));
        EXPECT_EQ(ReadBytes(dir / "TaskLog.txt"), taken ? "new" : "old");
    }
}

TEST_F(TaskLogFileTest, RefusesAWorkFolderWithoutItsZero)
{
    std::memset(host.Client()->m_szWorkDir, 'd', sizeof host.Client()->m_szWorkDir);
    char buffer[4] = "abc";
    EXPECT_EQ(ReadTaskLog(buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_TRUE(WriteTaskLog("x", 1));
}

}  // namespace
}  // namespace orvane::test
