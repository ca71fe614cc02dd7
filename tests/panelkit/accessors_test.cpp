// The plain accessors a client reads the toolkit through (no C++ library
// type crosses them): every index out of range is refused, and what they
// give agrees with the toolkit's own view of a line.
#include <gtest/gtest.h>

#include <vector>

#include "panelkit/Views.h"
#include "tests/panelkit/PanelkitTestSupport.h"
#include "ui/Panelkit.h"

namespace {

using Accessors = PanelkitTest;

TEST_F(Accessors, OutOfRangeIndexesAreRefused)
{
    XItemContainer items(nullptr);
    items.AddLine("a <link url=\"7\" underline=\"0\">b</link>");
    XTalkLineInfo line{};
    XTalkFragmentInfo fragment{};
    XTalkPieceInfo piece{};
    XRecordingCanvas canvas;
    XDrawItem item{};
    const struct {
        const char* what;
        BOOL result;
    } cases[] = {
        {"line -1", items.GetLineInfo(-1, line)},
        {"line 1", items.GetLineInfo(1, line)},
        {"fragment -1", items.GetFragmentInfo(0, -1, fragment)},
        {"fragment 2", items.GetFragmentInfo(0, 2, fragment)},
        {"fragment of line 1", items.GetFragmentInfo(1, 0, fragment)},
        {"piece -1", items.GetPieceInfo(0, -1, piece)},
        {"piece past the end", items.GetPieceInfo(0, 99, piece)},
        {"drawn item 0 of an empty canvas", canvas.GetItem(0, item)},
        {"no link at the origin's far side", items.LinkAt(POINT{-50, -50}, fragment)},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(c.result) << c.what;
    EXPECT_EQ(Desktop()->FindTopLevel(5, 0), nullptr);
}

TEST_F(Accessors, PlainLineAgreesWithTheViews)
{
    XItemContainer items(nullptr);
    items.AddLine("go <link url=\"12\" underline=\"0\">there</link> now");
    XTalkLineInfo info{};
    ASSERT_TRUE(items.GetLineInfo(0, info));
    const std::optional<XTalkLine> line = panelkit::LineOf(&items, 0);
    ASSERT_TRUE(line);
    EXPECT_STREQ(info.markup, line->markup.c_str());
    ASSERT_EQ(info.fragments, 3);
    XTalkFragmentInfo link{};
    ASSERT_TRUE(items.GetFragmentInfo(0, 1, link));
    EXPECT_TRUE(link.isLink);
    EXPECT_STREQ(link.url, "12");
    EXPECT_STREQ(link.text, "there");
    XTalkFragmentInfo plain{};
    ASSERT_TRUE(items.GetFragmentInfo(0, 0, plain));
    EXPECT_FALSE(plain.isLink);
    EXPECT_STREQ(plain.url, "");
    EXPECT_EQ(static_cast<size_t>(info.pieces), line->pieces.size());
}

TEST_F(Accessors, TopLevelWindowsByIdOldestFirst)
{
    std::vector<XWindow*> made;
    for (int32_t id : {4, 9, 4}) {
        XMainWnd* wnd = new XMainWnd();
        wnd->SetID(id);
        Desktop()->AddWindow(wnd);
        made.push_back(wnd);
    }
    made[2]->SetActive();
    EXPECT_EQ(Desktop()->FindTopLevel(4, 0), made[0]);
    EXPECT_EQ(Desktop()->FindTopLevel(4, 1), made[2]);
    EXPECT_EQ(Desktop()->FindTopLevel(4, 2), nullptr);
    EXPECT_EQ(Desktop()->FindTopLevel(9), made[1]);
}

}  // namespace
