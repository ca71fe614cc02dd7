// Layout of talk lines: wrapping, GBK characters, content height, the talk
// control's parts and what the container draws.
#include <map>
#include <string>
#include <vector>

#include "PanelkitTestSupport.h"
#include "panelkit/Views.h"

namespace {

// The text of each row of a line, top to bottom.
std::vector<std::string> Rows(const XTalkLine& line)
{
    std::map<int32_t, std::string> byTop;
    for (const XTalkPiece& piece : line.pieces)
        byTop[piece.rect.top] += line.PieceText(piece);
    std::vector<std::string> rows;
    for (const auto& [top, text] : byTop)
        rows.push_back(text);
    return rows;
}

// "\xCA\xC7" /* 是 */ and "\xB5\xC4" /* 的 */, 12 px each; rows of the
// 12-pixel font are 16 high.
constexpr int32_t kRow = 16;
#define SHI "\xCA\xC7"
#define DE "\xB5\xC4"

TEST(ItemLayout, WrapsAtTheMaxWidthWithoutSplittingCharacters)
{
    struct Case {
        const char* name;
        int32_t wrap;
        int32_t maxWidth;
        const char* markup;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {"exact fit", 1, 30, "abcdefghij", {"abcde", "fghij"}},
        {"one pixel spare", 1, 31, "abcdefghij", {"abcde", "fghij"}},
        {"wider", 1, 36, "abcdefghij", {"abcdef", "ghij"}},
        {"wrap off", 0, 30, "abcdefghij", {"abcdefghij"}},
        {"no max width", 1, 0, "abcdefghij", {"abcdefghij"}},
        {"negative max width", 1, -5, "abcdefghij", {"abcdefghij"}},
        {"narrower than a character", 1, 3, "abc", {"a", "b", "c"}},
        {"double-byte at the edge", 1, 24, "a" SHI DE, {"a" SHI, DE}},
        {"double-byte just fits", 1, 30, "a" SHI DE SHI, {"a" SHI DE, SHI}},
        {"double-byte wider than the row", 1, 10, SHI DE, {SHI, DE}},
        {"link wraps with the text", 1, 24, "ab<link url=\"1\">cdef</link>", {"abcd", "ef"}},
        {"empty line takes a row", 1, 30, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XItemContainer items(nullptr);
        RECT rc = Rect(20, 30, 220, 130);
        items.SetWindowPos(rc);
        items.SetAutoWrap(c.wrap);
        items.SetMaxWidth(c.maxWidth);
        items.AddLine(c.markup);
        const std::optional<XTalkLine> line = panelkit::LineOf(&items, 0);
        ASSERT_TRUE(line);
        EXPECT_EQ(Rows(*line), c.rows);
        const int32_t rows = c.rows.empty() ? 1 : static_cast<int32_t>(c.rows.size());
        EXPECT_EQ(line->rows, rows);
        EXPECT_EQ(items.GetMaxHeight(), rows * kRow);
    }
}

TEST(ItemLayout, FragmentsAndContentHeightInDesktopCoordinates)
{
    XMainWnd parent;
    RECT parentRect = Rect(0, 0, 300, 300);
    parent.SetWindowPos(parentRect);
    auto* items = new XItemContainer(&parent);
    parent.AddChild(items);
    RECT rc = Rect(20, 30, 220, 130);
    items->SetWindowPos(rc);
    items->SetMaxWidth(24);
    items->SetAutoWrap(1);
    items->AddLine("ab<link url=\"1\">cdef</link>");
    items->AddLine("x");
    items->AddLine("");
    EXPECT_EQ(items->GetMaxHeight(), 4 * kRow);

    const std::optional<XTalkLine> first = panelkit::LineOf(items, 0);
    ASSERT_EQ(first->fragments.size(), 2u);
    EXPECT_EQ(first->fragments[0].rect, Rect(20, 30, 32, 46));
    // "cd" ends row 0, "ef" starts row 1: the rect bounds both.
    EXPECT_EQ(first->fragments[1].rect, Rect(20, 30, 44, 62));
    EXPECT_EQ(first->rect, Rect(20, 30, 44, 62));
    EXPECT_EQ(panelkit::LineOf(items, 1)->rect, Rect(20, 62, 26, 78));
    EXPECT_EQ(panelkit::LineOf(items, 2)->rect.top, 78);

    // Both rows of the link answer clicks; plain text does not.
    EXPECT_TRUE(panelkit::LinkAt(items, Pt(40, 35)));
    EXPECT_TRUE(panelkit::LinkAt(items, Pt(25, 50)));
    EXPECT_FALSE(panelkit::LinkAt(items, Pt(22, 35)));

    // Moving the parent moves the laid-out text; a wider row unwraps.
    parent.MoveWindow(5, 7);
    EXPECT_EQ(panelkit::LineOf(items, 0)->fragments[1].rect, Rect(25, 37, 49, 69));
    items->SetMaxWidth(200);
    EXPECT_EQ(items->GetMaxHeight(), 3 * kRow);
    EXPECT_EQ(panelkit::LineOf(items, 0)->fragments[1].rect, Rect(37, 37, 61, 53));
}

TEST(TalkControl, ScrollBarOnTheRightAndContainerFillsTheRest)
{
    XTalk talk(nullptr);
    RECT rc = Rect(100, 50, 400, 250);
    talk.SetWindowPos(rc);
    ASSERT_NE(talk.GetScrollBar(), nullptr);
    SIZE size{};
    talk.GetScrollBar()->GetSize(size);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(RectOf(talk.GetScrollBar()), Rect(384, 50, 400, 250));
    EXPECT_EQ(RectOf(talk.GetItemContainer()), Rect(100, 50, 384, 250));
    EXPECT_EQ(talk.GetItemContainer()->GetMaxWidth(), 284);
    EXPECT_EQ(talk.GetItemContainer()->GetViewHeight(), 200);

    talk.RemoveScrollBar();
    EXPECT_EQ(talk.GetScrollBar(), nullptr);
    EXPECT_EQ(talk.GetChildCount(), 1);
    EXPECT_EQ(RectOf(talk.GetItemContainer()), Rect(100, 50, 400, 250));
    talk.SetWindowPos(rc);
    EXPECT_EQ(talk.GetItemContainer()->GetMaxWidth(), 300);
}

TEST(TalkControl, DrawsVisibleRowsClippedAndScrolls)
{
    XTalk talk(nullptr);
    RECT rc = Rect(0, 0, 116, 32);  // two rows visible, 100 px of text width
    talk.SetWindowPos(rc);
    talk.AddLine("one");
    talk.AddLine("<link url=\"5\">two</link>");
    talk.AddLine("three");
    // On screen the lines take the visible part; all of them are taller.
    EXPECT_EQ(talk.GetItemContainer()->GetMaxHeight(), 32);
    EXPECT_EQ(talk.GetItemContainer()->GetContentHeight(), 48);

    // The texts drawn; the scroll bar draws pictures beside them.
    const auto textsOf = [&talk] {
        XRecordingCanvas canvas;
        talk.Paint(&canvas);
        std::vector<panelkit::DrawnItem> texts;
        for (const panelkit::DrawnItem& item : panelkit::DrawnItems(canvas))
            if (item.isText)
                texts.push_back(item);
        return texts;
    };
    std::vector<panelkit::DrawnItem> texts = textsOf();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "one");
    EXPECT_EQ(texts[1].text, "two");
    EXPECT_EQ(texts[1].y, kRow);
    EXPECT_NE(texts[1].color, texts[0].color);  // links stand out
    EXPECT_EQ(texts[1].clip, Rect(0, 0, 100, 32));

    // Scrolling past the end stops at the last row.
    talk.GetScrollBar()->SetPosition(100);
    EXPECT_EQ(talk.GetScrollBar()->GetPosition(), kRow);
    texts = textsOf();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "two");
    EXPECT_EQ(texts[0].y, 0);
    talk.Clear();
    EXPECT_EQ(talk.GetItemContainer()->GetLineCount(), 0);
    EXPECT_EQ(talk.GetScrollBar()->GetPosition(), 0);
}

// Lines added one by one are placed as a layout of all of them would place
// them: while scrolled, with wrapping, and after the font changed.
TEST(TalkControl, AddedLinesLandWhereAWholeLayoutPutsThem)
{
    XTalk talk(nullptr);
    RECT rc = Rect(10, 20, 76, 52);  // 50 px of text, two rows visible
    talk.SetWindowPos(rc);
    talk.GetItemContainer()->SetAutoWrap(1);
    talk.AddLine("one two three");
    talk.AddLine("<link url=\"5\">four</link> five");
    talk.GetScrollBar()->SetPosition(kRow);
    talk.AddLine("six seven eight nine");
    talk.GetItemContainer()->SetFont(
        XFontCreate::GetInstance()->CreateFontA("face", 16, 0, 0, 0, 0, 0));
    talk.AddLine("ten");

    XItemContainer* items = talk.GetItemContainer();
    std::vector<RECT> added;
    for (int32_t i = 0; i < items->GetLineCount(); ++i) {
        const std::optional<XTalkLine> line = panelkit::LineOf(items, i);
        for (const XTalkPiece& piece : line->pieces)
            added.push_back(piece.rect);
    }
    const int32_t height = items->GetMaxHeight();
    items->Layout();
    std::vector<RECT> whole;
    for (int32_t i = 0; i < items->GetLineCount(); ++i) {
        const std::optional<XTalkLine> line = panelkit::LineOf(items, i);
        for (const XTalkPiece& piece : line->pieces)
            whole.push_back(piece.rect);
    }
    EXPECT_EQ(added, whole);
    EXPECT_EQ(items->GetMaxHeight(), height);
    EXPECT_EQ(talk.GetScrollBar()->GetPosition(), kRow);
}

}  // namespace
