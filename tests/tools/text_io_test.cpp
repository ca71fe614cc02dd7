#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tools/hostlib/TextIO.h"

namespace orvane::hostprog {
namespace {

struct LinesCase {
    const char* text;
    std::vector<std::string> lines;  // as std::getline splits them
};

const LinesCase kCases[] = {
    {"", {}},
    {"\n", {""}},
    {"one", {"one"}},
    {"one\ntwo\n", {"one", "two"}},
    {"one\n\ntwo", {"one", "", "two"}},
    {"crlf\r\n", {"crlf\r"}},
};

std::vector<std::string> ReadAll(LineIn& in)
{
    std::vector<std::string> lines;
    std::string line;
    while (in.ReadLine(line))
        lines.push_back(line);
    return lines;
}

TEST(TextIOTest, StringAndFileLinesSplitAsGetlineDoes)
{
    for (const LinesCase& c : kCases) {
        SCOPED_TRACE(c.text);
        StringLineIn fromString(c.text);
        EXPECT_EQ(ReadAll(fromString), c.lines);

        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
        ASSERT_NE(file, nullptr);
        std::fputs(c.text, file.get());
        std::rewind(file.get());
        FileLineIn fromFile(file.get());
        EXPECT_EQ(ReadAll(fromFile), c.lines);
        EXPECT_FALSE(fromFile.Failed());
    }
}

TEST(TextIOTest, LongLinesAndNumbersArriveWhole)
{
    const std::string longLine(100000, 'x');
    StringSink out;
    out << longLine << '\n' << -7 << " " << 1234567890123ll;
    StringLineIn in(out.Text());
    EXPECT_EQ(ReadAll(in), (std::vector<std::string>{longLine, "-7 1234567890123"}));
}

TEST(TextIOTest, AFileLinePastTheLimitEndsTheReading)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
    ASSERT_NE(file, nullptr);
    std::fputs("four\nfive5\nsix", file.get());
    std::rewind(file.get());
    FileLineIn in(file.get(), 4);
    std::string line;
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "four");  // exactly the limit
    EXPECT_FALSE(in.ReadLine(line));
    EXPECT_TRUE(in.TooLong());
    EXPECT_FALSE(in.Failed());
    EXPECT_FALSE(in.ReadLine(line));  // nothing more once refused
    EXPECT_EQ(LineTooLongText(4), "the line is longer than 4 bytes");
}

}  // namespace
}  // namespace orvane::hostprog
