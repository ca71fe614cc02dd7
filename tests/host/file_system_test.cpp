#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "host/FileSystem.h"

namespace orvane::host::files {
namespace {

// A fresh folder for each test, removed afterwards.
class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_root = Join(TemporaryFolder().value_or("."),
                      std::string("orvane-files-") + test->name() + "-" +
                          std::to_string(reinterpret_cast<uintptr_t>(this)));
        RemoveTree(m_root);
        ASSERT_TRUE(MakeFolders(m_root));
    }
    void TearDown() override { RemoveTree(m_root); }

    std::string Path(const std::string& relative) const { return Join(m_root, relative); }

    void Write(const std::string& relative, const std::string& bytes) const
    {
        std::FILE* file = Open(Path(relative), "wb");
        ASSERT_NE(file, nullptr) << relative;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    std::string m_root;
};

TEST_F(FileSystemTest, KindsSizesAndContents)
{
    ASSERT_TRUE(MakeFolders(Path("a/b/c")));
    Write("a/file.bin", std::string("x\0y\r\n", 5));
    EXPECT_EQ(KindOf(Path("a/b/c")), PathKind::Folder);
    EXPECT_EQ(KindOf(Path("a/file.bin")), PathKind::File);
    EXPECT_EQ(KindOf(Path("a/none")), PathKind::Missing);
    EXPECT_EQ(FileSize(Path("a/file.bin")), 5u);
    EXPECT_FALSE(FileSize(Path("a/b")).has_value());
    std::string bytes;
    ASSERT_TRUE(ReadAll(Path("a/file.bin"), bytes));
    EXPECT_EQ(bytes, std::string("x\0y\r\n", 5));
    EXPECT_FALSE(ReadAll(Path("a/none"), bytes));
    EXPECT_FALSE(MakeFolder(Path("a/b")));  // it exists
}

TEST_F(FileSystemTest, CopyTreeMergesAndOverwrites)
{
    ASSERT_TRUE(MakeFolders(Path("game/scp")));
    Write("game/scp/one.res", "new");
    Write("game/scp/two.res", "two");
    ASSERT_TRUE(MakeFolders(Path("work/scp")));
    Write("work/scp/one.res", "old");
    Write("work/TaskLog.txt", "note");
    std::string reason;
    ASSERT_TRUE(CopyTree(Path("game/scp"), Path("work/scp"), reason)) << reason;
    std::string bytes;
    ASSERT_TRUE(ReadAll(Path("work/scp/one.res"), bytes));
    EXPECT_EQ(bytes, "new");
    ASSERT_TRUE(ReadAll(Path("work/scp/two.res"), bytes));
    EXPECT_EQ(bytes, "two");
    std::vector<std::string> names = List(Path("work"));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"TaskLog.txt", "scp"}));
    EXPECT_FALSE(CopyTree(Path("game/none"), Path("work/none"), reason));
    RemoveTree(Path("work"));
    EXPECT_EQ(KindOf(Path("work")), PathKind::Missing);
}

TEST_F(FileSystemTest, PathsAreNormalisedAndCompared)
{
    ASSERT_TRUE(MakeFolders(Path("x/y")));
    const std::string plain = Absolute(Path("x/y"));
    EXPECT_EQ(Absolute(Path("x/./z/../y/")), plain);
    EXPECT_EQ(Absolute(Parent(plain)), Absolute(Path("x")));
    EXPECT_TRUE(Same(Path("x/y"), Path("x/./y")));
    EXPECT_FALSE(Same(Path("x"), Path("x/y")));
    EXPECT_FALSE(Same(Path("x/none"), Path("x/none")));
    EXPECT_FALSE(ExecutableFolder(nullptr).empty());
}

}  // namespace
}  // namespace orvane::host::files
