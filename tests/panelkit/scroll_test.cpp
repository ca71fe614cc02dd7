// The talk control's scroll bar as a player uses it: the wheel, the arrows,
// the track beside the thumb and a drag of the thumb move the lines; the
// bar draws its thumb where the lines are; a link under the mouse changes
// colour.
#include <string>
#include <vector>

#include "PanelkitTestSupport.h"
#include "panelkit/TextPainter.h"
#include "panelkit/Views.h"

namespace {

constexpr int32_t kRow = 16;

class Scrolling : public PanelkitTest {
protected:
    void SetUp() override
    {
        PanelkitTest::SetUp();
        main = Place<XMainWnd>(Desktop(), Rect(0, 0, 300, 200));
        // 80 high: five rows in view. The bar, 16 wide on the right, has its
        // arrows at 10..26 and 74..90 and the track between them.
        talk = Place<XTalk>(main, Rect(10, 10, 210, 90));
        for (int i = 0; i < 12; ++i)
            talk->AddLine(
                ("<link url=\"" + std::to_string(i) + "\">line " + std::to_string(i) + "</link>")
                    .c_str());
    }
    XScrollBar* Bar() { return talk->GetScrollBar(); }
    // The first line whose top is in view.
    int32_t FirstVisibleLine()
    {
        XItemContainer* items = talk->GetItemContainer();
        for (int32_t i = 0; i < items->GetLineCount(); ++i)
            if (panelkit::LineOf(items, i)->rect.top >= RectOf(items).top)
                return i;
        return -1;
    }
    XMainWnd* main = nullptr;
    XTalk* talk = nullptr;
};

TEST_F(Scrolling, WheelArrowsTrackAndThumbMoveTheLines)
{
    ASSERT_TRUE(Bar()->CanScroll());
    EXPECT_EQ(talk->GetItemContainer()->GetContentHeight(), 12 * kRow);
    EXPECT_EQ(talk->GetItemContainer()->GetMaxHeight(), 80);
    enum class Act { Wheel, Click, Drag };
    struct Step {
        const char* name;
        Act act;
        POINT at;
        int32_t amount;  // wheel notches, or how far a drag moves down
        int32_t position;
    };
    // Content 192, view 80: positions run from 0 to 112; a notch is three
    // rows, a page the view less a row (64).
    const Step steps[] = {
        {"wheel down over the text", Act::Wheel, Pt(50, 50), 1, 48},
        {"wheel up", Act::Wheel, Pt(50, 50), -1, 0},
        {"down arrow", Act::Click, Pt(202, 82), 0, 16},
        {"up arrow", Act::Click, Pt(202, 18), 0, 0},
        {"track below the thumb", Act::Click, Pt(202, 70), 0, 64},
        {"track above the thumb", Act::Click, Pt(202, 30), 0, 0},
        {"thumb dragged past the end", Act::Drag, Pt(202, 36), 300, 112},
        {"thumb dragged half way back", Act::Drag, Pt(202, 64), -14, 64},
        {"wheel past the end", Act::Wheel, Pt(50, 50), 10, 112},
        {"wheel over the bar", Act::Wheel, Pt(202, 50), -1, 64},
        {"wheel past the start", Act::Wheel, Pt(50, 50), -10, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        switch (s.act) {
            case Act::Wheel:
                EXPECT_TRUE(Desktop()->MouseWheel(s.at, s.amount));
                break;
            case Act::Click:
                Desktop()->MouseMove(s.at, 0);
                Desktop()->Click(s.at);
                break;
            case Act::Drag: {
                const RECT thumb = Bar()->GetThumbRect();
                ASSERT_GE(s.at.y, thumb.top);
                ASSERT_LT(s.at.y, thumb.bottom);
                Desktop()->MouseMove(s.at, 0);
                Desktop()->MouseDown(s.at, 1);
                Desktop()->MouseMove(Pt(s.at.x, s.at.y + s.amount), 1);
                Desktop()->MouseUp(Pt(s.at.x, s.at.y + s.amount), 1);
                break;
            }
        }
        EXPECT_EQ(Bar()->GetPosition(), s.position);
        EXPECT_EQ(FirstVisibleLine(), s.position / kRow);
        EXPECT_EQ(RectOf(main), Rect(0, 0, 300, 200)) << "the window was dragged";
    }
}

TEST_F(Scrolling, TheThumbShowsWhereTheLinesAre)
{
    struct Case {
        int32_t position;
        RECT thumb;
    };
    // Track 26..74 (48 px); the thumb is 48 x 80 / 192 = 20 high.
    for (const Case& c : {Case{0, Rect(194, 26, 210, 46)}, Case{112, Rect(194, 54, 210, 74)},
                          Case{64, Rect(194, 42, 210, 62)}}) {
        SCOPED_TRACE(c.position);
        Bar()->SetPosition(c.position);
        EXPECT_EQ(Bar()->GetThumbRect(), c.thumb);
        XRecordingCanvas canvas;
        Bar()->Paint(&canvas);
        bool thumbDrawn = false;
        for (const panelkit::DrawnItem& item : panelkit::DrawnItems(canvas))
            thumbDrawn = thumbDrawn || (!item.isText && item.y == c.thumb.top &&
                                        item.height == c.thumb.bottom - c.thumb.top);
        EXPECT_TRUE(thumbDrawn);
    }
    // Lines that fit leave the bar without a thumb, and the wheel does nothing.
    talk->Clear();
    talk->AddLine("one");
    EXPECT_FALSE(Bar()->CanScroll());
    EXPECT_FALSE(Desktop()->MouseWheel(Pt(50, 50), 1));
    XRecordingCanvas canvas;
    Bar()->Paint(&canvas);
    EXPECT_EQ(canvas.GetItemCount(), 3);  // the track and two arrows
}

TEST_F(Scrolling, TheLinkUnderTheMouseIsDrawnInTheHoverColour)
{
    const auto colourOf = [this](const std::string& text) {
        XRecordingCanvas canvas;
        talk->Paint(&canvas);
        for (const panelkit::DrawnItem& item : panelkit::DrawnItems(canvas))
            if (item.isText && item.text == text) {
                EXPECT_NE(item.flag & panelkit::kDrawUnderline, 0);
                return item.color;
            }
        return WPixel{0};
    };
    XItemContainer* items = talk->GetItemContainer();
    XTalkFragmentInfo hovered{};
    EXPECT_EQ(colourOf("line 1"), panelkit::kLinkColor);
    EXPECT_FALSE(items->HoveredLink(hovered));
    Desktop()->MouseMove(Pt(20, 10 + kRow + 4), 0);
    EXPECT_EQ(colourOf("line 1"), panelkit::kLinkHoverColor);
    EXPECT_EQ(colourOf("line 0"), panelkit::kLinkColor);
    ASSERT_TRUE(items->HoveredLink(hovered));
    EXPECT_STREQ(hovered.url, "1");
    Desktop()->MouseMove(Pt(250, 150), 0);
    EXPECT_EQ(colourOf("line 1"), panelkit::kLinkColor);
    EXPECT_FALSE(items->HoveredLink(hovered));
}

}  // namespace
