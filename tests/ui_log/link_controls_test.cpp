// The link button and the story control on the headless toolkit.
#include <gtest/gtest.h>

#include "panelkit/Views.h"
#include "ui/Panelkit.h"
#include "ui/StoryTalk.h"
#include "ui/TaskLinkButton.h"

namespace {

class LinkControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        XDesktop::Reset();
        orvane::g_pTaskFont = XFontCreate::GetInstance()->CreateFontA("\xCB\xCE\xCC\xE5" /* 宋体 */,
                                                                      12, 0, 0, 0, 0, 128);
        top = new XMainWnd();
        XDesktop::GetInstance()->AddWindow(top);
        RECT rc{0, 0, 400, 300};
        top->SetWindowPos(rc);
    }
    void TearDown() override
    {
        XDesktop::Reset();
        orvane::g_nLastPressedTaskID = 0;
    }
    CTaskLinkButton* AddButton(RECT rc)
    {
        auto* button = new CTaskLinkButton(top);
        top->AddChild(button);
        button->SetWindowPos(rc);
        return button;
    }
    static POINT Centre(const RECT& rc)
    {
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    XMainWnd* top = nullptr;
    const std::vector<uint8_t> hoverPixels = std::vector<uint8_t>(64, 0xFF);
    XImage hoverImage{4, 4, hoverPixels.data()};
};

TEST_F(LinkControlsTest, HoverImageSitsFivePixelsAboveAndLeftWhileTheMouseIsOver)
{
    const RECT rc{100, 50, 260, 72};
    CTaskLinkButton* button = AddButton(rc);
    button->SetHoverImage(&hoverImage);
    XDesktop* desktop = XDesktop::GetInstance();

    const struct {
        POINT mouse;
        bool drawn;
    } steps[] = {{{5, 5}, false}, {Centre(rc), true}, {{5, 5}, false}};
    for (const auto& step : steps) {
        desktop->MouseMove(step.mouse, 0);
        XRecordingCanvas canvas;
        button->Paint(&canvas);
        int bitmaps = 0;
        for (const auto& item : panelkit::DrawnItems(canvas)) {
            if (item.isText)
                continue;
            ++bitmaps;
            EXPECT_EQ(item.bitmap, &hoverImage);
            EXPECT_EQ(item.x, 95);
            EXPECT_EQ(item.y, 45);
            EXPECT_EQ(item.flag, 0);
        }
        EXPECT_EQ(bitmaps, step.drawn ? 1 : 0);
        EXPECT_EQ(button->IsHovered(), step.drawn);
    }
}

// Centred by the button's own font, drawn in the task font; divisions cut
// toward zero, so a caption wider than the button starts left of it.
TEST_F(LinkControlsTest, CaptionIsCentredByTheButtonsOwnFont)
{
    ITTFont* big = XFontCreate::GetInstance()->CreateFontA("big", 20, 0, 0, 0, 0, 0);
    const struct {
        RECT rc;
        const char* caption;
        ITTFont* own;  // null: the window's default font
        int32_t x;
        int32_t y;
    } cases[] = {
        // The default font's rows are 16 high, the big one's 27.
        {{100, 50, 260, 72}, "ab", nullptr, 174, 53},
        {{100, 50, 260, 72}, "abc", nullptr, 171, 53},
        {{100, 50, 260, 72}, "\xC8\xCE\xCE\xF1" /* 任务 */, nullptr, 168, 53},
        {{100, 50, 260, 72}, "ab", big, 170, 48},
        {{100, 50, 121, 72}, "abcdefg", nullptr, 90, 53},
        {{100, 50, 260, 72}, "", nullptr, 0, 0},  // nothing drawn
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        RECT rc = c.rc;
        CTaskLinkButton* button = AddButton(rc);
        button->SetFont(c.own);
        button->SetWindowTextA("zz");  // the plain button text is not drawn
        button->SetCaption(c.caption);
        button->SetCaption(nullptr);  // keeps the caption
        XRecordingCanvas canvas;
        button->Paint(&canvas);
        ASSERT_EQ(panelkit::DrawnItems(canvas).size(), c.caption[0] != '\0' ? 1u : 0u);
        if (c.caption[0] == '\0')
            continue;
        const auto drawn = panelkit::DrawnItems(canvas);
        const auto& item = drawn[0];
        EXPECT_EQ(item.text, c.caption);
        EXPECT_EQ(item.x, c.x);
        EXPECT_EQ(item.y, c.y);
        EXPECT_EQ(item.font, orvane::g_pTaskFont);
        EXPECT_EQ(item.clip.left, rc.left);
        EXPECT_EQ(item.clip.right, rc.right);
        EXPECT_EQ(item.flag, 1);
    }
}

TEST_F(LinkControlsTest, LeftPressRecordsTheButtonsTask)
{
    const RECT rc{10, 10, 110, 32};
    CTaskLinkButton* button = AddButton(rc);
    XDesktop* desktop = XDesktop::GetInstance();
    const struct {
        int32_t task;
        uint32_t mouseButton;
        int32_t before;
        int32_t after;
    } cases[] = {{7, 1, 3, 7}, {7, 2, 3, 3}, {0, 1, 3, 0}};
    for (const auto& c : cases) {
        button->SetTaskID(c.task);
        orvane::g_nLastPressedTaskID = c.before;
        desktop->MouseDown(Centre(rc), c.mouseButton);
        EXPECT_EQ(orvane::g_nLastPressedTaskID, c.after);
        EXPECT_EQ(button->IsPressed() != FALSE, c.mouseButton == 1);
        desktop->MouseUp(Centre(rc), c.mouseButton);
    }
}

TEST_F(LinkControlsTest, StoryControlKeepsItsScrollBarOnTheRight)
{
    for (const bool withBar : {true, false}) {
        SCOPED_TRACE(withBar);
        auto* story = new CStoryTalk(top);
        top->AddChild(story);
        if (!withBar)
            story->RemoveScrollBar();
        RECT rc{10, 20, 310, 220};
        story->SetWindowPos(rc);

        XItemContainer* items = story->GetItemContainer();
        EXPECT_EQ(items->GetAutoWrap(), 1);
        RECT itemRect;
        items->GetWindowRect(itemRect);
        const int32_t itemWidth = withBar ? 284 : 300;
        EXPECT_EQ(itemRect.left, 10);
        EXPECT_EQ(itemRect.right, 10 + itemWidth);
        EXPECT_EQ(items->GetMaxWidth(), itemWidth);
        EXPECT_EQ(items->GetViewHeight(), 200);
        if (withBar) {
            RECT barRect;
            story->GetScrollBar()->GetWindowRect(barRect);
            EXPECT_EQ(barRect.left, 294);
            EXPECT_EQ(barRect.top, 20);
            EXPECT_EQ(barRect.right, 310);
            EXPECT_EQ(barRect.bottom, 220);
            SIZE size;
            story->GetScrollBar()->GetSize(size);
            EXPECT_EQ(size.cx, 16);
        }
    }
}

// The bar follows the lines whenever the control is laid out anew: after a
// shrink the last row can be scrolled to. A bar wider than the control
// leaves the lines no room, never a negative width.
TEST_F(LinkControlsTest, StoryScrollBarFollowsANewLayout)
{
    auto* story = new CStoryTalk(top);
    top->AddChild(story);
    RECT rc{10, 20, 310, 220};
    story->SetWindowPos(rc);
    for (int i = 0; i < 10; ++i)
        story->AddLine("line");  // 10 rows of 16 pixels fit in 200
    XScrollBar* bar = story->GetScrollBar();
    bar->SetPosition(1000);
    EXPECT_EQ(bar->GetPosition(), 0);

    RECT small{10, 20, 310, 80};
    story->SetWindowPos(small);
    bar->SetPosition(1000);
    EXPECT_EQ(bar->GetPosition(), 160 - 60);

    bar->SetSize(SIZE{500, 0});
    RECT narrow{10, 20, 110, 80};
    story->SetWindowPos(narrow);
    RECT barRect;
    bar->GetWindowRect(barRect);
    EXPECT_EQ(barRect.left, 10);
    EXPECT_EQ(story->GetItemContainer()->GetMaxWidth(), 0);
}

}  // namespace
