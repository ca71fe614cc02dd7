// Texts turned into pixels: every character stays inside the cell the
// font's metrics give it, so pictures agree with the layout.
#include <algorithm>
#include <string>
#include <vector>

#include "PanelkitTestSupport.h"
#include "panelkit/TextPainter.h"
#include "panelkit/Views.h"

namespace {

struct Extent {
    int32_t left = 1 << 30, top = 1 << 30, right = -(1 << 30), bottom = -(1 << 30);
    int count = 0;
    void Add(int32_t x, int32_t y)
    {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + 1);
        bottom = std::max(bottom, y + 1);
        ++count;
    }
};

// Pixels painted per cell of `width` pixels starting at x0.
std::vector<Extent> PaintCells(const char* text, int32_t x0, int32_t y0, int32_t cellCount,
                               int32_t cellWidth, bool underline)
{
    ITTFont* font = XFontCreate::GetInstance()->CreateFontA("", 12, 0, 0, 0, 0, 0);
    std::vector<Extent> cells(static_cast<size_t>(cellCount) + 1);
    panelkit::PaintText(font, x0, y0, text, underline, [&](int32_t x, int32_t y, uint8_t c) {
        EXPECT_GT(c, 0);
        const int32_t cell = (x - x0) / cellWidth;
        cells[static_cast<size_t>(std::clamp(cell, 0, cellCount))].Add(x, y);
    });
    return cells;
}

TEST(TextPainter, CharactersStayInTheirCells)
{
    struct Case {
        const char* name;
        const char* text;
        int32_t cells;
        int32_t cellWidth;
    };
    const Case cases[] = {
        // "任务" (task), two double-byte characters of 12 pixels.
        {"ideographs", "\xC8\xCE\xCE\xF1", 2, 12},
        {"latin", "AbWm", 4, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Extent> cells = PaintCells(c.text, 100, 50, c.cells, c.cellWidth, false);
        EXPECT_EQ(cells.back().count, 0) << "painted past the text's width";
        for (int32_t i = 0; i < c.cells; ++i) {
            const Extent& e = cells[static_cast<size_t>(i)];
            EXPECT_GT(e.count, 0) << "cell " << i << " is empty";
            EXPECT_GE(e.left, 100 + i * c.cellWidth);
            EXPECT_LE(e.right, 100 + (i + 1) * c.cellWidth);
            // Inside the 16-pixel row, clear of its last line (the underline's).
            EXPECT_GE(e.top, 50);
            EXPECT_LE(e.bottom, 65);
        }
    }
}

TEST(TextPainter, SpacesAreBlankAndLinksUnderlined)
{
    const std::vector<Extent> plain = PaintCells("  ", 0, 0, 2, 6, false);
    EXPECT_EQ(plain[0].count + plain[1].count, 0);
    const std::vector<Extent> link = PaintCells("  ", 0, 0, 2, 6, true);
    EXPECT_EQ(link[0].count + link[1].count, 12);
    EXPECT_EQ(link[0].top, 15);
}

TEST(TextPainter, BrokenGbkStillTakesItsPlace)
{
    // A lone lead byte at the end is one single-byte cell.
    const std::vector<Extent> cells = PaintCells("a\x81", 0, 0, 2, 6, false);
    EXPECT_GT(cells[1].count, 0);
    EXPECT_EQ(cells[2].count, 0);
}

}  // namespace

namespace {

// A text box draws a line to a row and wraps each at its width; the rows
// below the box are not drawn.
TEST(EditDrawing, LinesAndWrappingMakeRows)
{
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> rows;
    };
    // 30 pixels wide, 32 high: five single-byte or two double-byte
    // characters a row, two rows. "\xC8\xCE\xCE\xF1" is 任务 (task).
    const Case cases[] = {
        {"one row", "abc", {"abc"}},
        {"lines", "ab\r\ncd", {"ab", "cd"}},
        {"wrapped", "abcdefg", {"abcde", "fg"}},
        {"double-byte kept whole", "\xC8\xCE\xCE\xF1\xC8\xCE", {"\xC8\xCE\xCE\xF1", "\xC8\xCE"}},
        {"clipped below", "a\nb\nc", {"a", "b"}},
        {"empty line keeps its row", "\nb", {"b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XEdit edit(nullptr);
        edit.SetFont(XFontCreate::GetInstance()->CreateFontA("", 12, 0, 0, 0, 0, 0));
        RECT rc{10, 20, 40, 52};
        edit.SetWindowPos(rc);
        edit.SetWindowTextA(c.text);
        XRecordingCanvas canvas;
        edit.OnDraw(&canvas, rc);
        std::vector<std::string> rows;
        for (const auto& item : panelkit::DrawnItems(canvas)) {
            EXPECT_EQ(item.x, 10);
            rows.push_back(item.text);
            if (std::string(c.name) == "empty line keeps its row") {
                EXPECT_EQ(item.y, 36);
            }
        }
        EXPECT_EQ(rows, c.rows);
    }
}

}  // namespace
