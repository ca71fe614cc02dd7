// The viewer's transcript text: lines collected as they are written, texts
// made GBK for the painter, and rows broken to the panel's width.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/orvane-view/NoteTyping.h"
#include "tools/orvane-view/PanelText.h"

namespace orvane::view {
namespace {

TEST(PanelTextTest, TextForThePainterIsGbkWithQuestionMarksForWhatGbkLacks)
{
    const struct {
        const char* utf8;
        const char* gbk;
    } cases[] = {
        {"plain", "plain"},
        {"\xE4\xB8\xAD\xE6\x96\x87" /* 中文 */, "\xD6\xD0\xCE\xC4"},
        {"a\xF0\x9F\x98\x80"
         "b" /* an emoji between */,
         "a?b"},
        {"\xE4\xB8\xAD\xF0\x9F\x98\x80" /* 中 and an emoji */, "\xD6\xD0?"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(PaintableGbk(c.utf8), c.gbk);
    }
}

TEST(PanelTextTest, RowsFitTheWidthAndNeverSplitADoubleByteCharacter)
{
    // Size 12: a single-byte character 6 pixels wide, a double-byte one 12.
    const struct {
        const char* name;
        std::string gbk;
        int32_t width;
        std::vector<std::string> rows;
    } cases[] = {
        {"fits exactly", "abcdefgh", 48, {"abcdefgh"}},
        {"continued rows are indented", "abcdefghij", 48, {"abcdefgh", "  ij"}},
        {"a wide character goes whole to the next row",
         "abcdefg\xD6\xD0",
         48,
         {"abcdefg", "  \xD6\xD0"}},
        {"a lone lead byte at the end is one byte", "ab\xD6", 48, {"ab\xD6"}},
        {"narrower than a character: one a row, no endless loop", "abc", 4, {"a", "  b", "  c"}},
        {"empty", "", 48, {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WrapGbk(c.gbk, c.width, 12), c.rows);
    }
}

TEST(PanelTextTest, CollectorKeepsTheNewestWholeLinesAndEchoesEverything)
{
    std::ostringstream echo;
    LineCollector lines(&echo, 2);
    std::ostream out(&lines);
    out << "one\ntwo\nthree\nunfinished";
    out.flush();
    EXPECT_EQ(echo.str(), "one\ntwo\nthree\nunfinished");
    EXPECT_EQ(lines.Lines(), (std::deque<std::string>{"two", "three"}));
    EXPECT_EQ(lines.Serial(), 3u);  // counted even after "one" went
}

TEST(NoteTypingTest, BackspaceTakesAWholeCharacter)
{
    const struct {
        const char* gbk;
        const char* left;
    } cases[] = {
        {"ab", "a"},
        {"a\xD6\xD0" /* a中 */, "a"},
        {"\xD6\xD0"
         "b",
         "\xD6\xD0"},
        // 0x81 0x41: the trail byte is in the ASCII range.
        {"\x81\x41", ""},
        {"x\n", "x"},
        {"", ""},
        // A lone lead byte at the end is one character.
        {"a\xD6", "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gbk);
        EXPECT_EQ(WithoutLastGbkCharacter(c.gbk), c.left);
    }
}

}  // namespace
}  // namespace orvane::view
