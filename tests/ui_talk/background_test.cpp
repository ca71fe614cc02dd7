// The three-part background: top image, whole middle tiles, bottom image,
// and the window height that follows the content.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "client/StateView.h"
#include "panelkit/Views.h"
#include "tests/ui_talk/TalkTestSupport.h"

namespace orvane::test {
namespace {

class BackgroundTest : public TalkFixture {
protected:
    void SetUp() override
    {
        TalkFixture::SetUp();
        WriteImages();
    }
    void WriteImages()
    {
        WriteBmp(Image("BakTaskDlgShang_1.bmp"), 300, 40);
        WriteBmp(Image("BakTaskDlgZhong.bmp"), 300, 20);
        WriteBmp(Image("BakTaskDlgXia.bmp"), 300, 30);
    }
    std::filesystem::path Image(const char* name) { return work.Path() / "task" / name; }

    // Content of lines rows (16 pixels each) in a text control h high, then
    // one paint; returns the y offsets (from the window's top) of each
    // background image drawn, in order.
    struct Painted {
        std::vector<int32_t> top, mid, bottom;
        int32_t height;
    };
    Painted Paint(CTaskTalkDlg* dlg, int lines, int32_t h)
    {
        dlg->ClearText();
        for (int i = 0; i < lines; ++i)
            dlg->AppendLine("row", 0);
        dlg->SetVisible(TRUE);
        RECT wnd = RectOf(dlg);
        RECT text = RectOf(StateView::Talk(*dlg));
        text.bottom = text.top + h;
        StateView::Talk(*dlg)->SetWindowPos(text);
        XRecordingCanvas canvas;
        dlg->Paint(&canvas);
        Painted out{{}, {}, {}, 0};
        for (const panelkit::DrawnItem& item : panelkit::DrawnItems(canvas)) {
            // Texts, and the pictures the text control's scroll bar draws.
            if (item.isText ||
                (item.bitmap != StateView::ImgTop(*dlg) && item.bitmap != StateView::ImgMid(*dlg) &&
                 item.bitmap != StateView::ImgBottom(*dlg)))
                continue;
            const int32_t y = item.y - wnd.top;
            EXPECT_EQ(item.x, wnd.left);
            if (item.bitmap == StateView::ImgTop(*dlg) && item.flag == 4)
                out.top.push_back(y);
            else if (item.bitmap == StateView::ImgMid(*dlg) && item.flag == 0)
                out.mid.push_back(y);
            else if (item.bitmap == StateView::ImgBottom(*dlg) && item.flag == 0)
                out.bottom.push_back(y);
        }
        out.height = RectOf(dlg).bottom - wnd.top;
        return out;
    }
};

int32_t ChildrenBottom(XWindow* wnd)
{
    int32_t bottom = RectOf(wnd).top;
    for (int32_t i = 0; i < wnd->GetChildCount(); ++i)
        bottom = std::max<int32_t>(bottom, RectOf(wnd->GetChild(i)).bottom);
    return bottom;
}

std::vector<int32_t> Tiles(int32_t from, int32_t to)
{
    std::vector<int32_t> y;
    for (int32_t v = from; v <= to; v += 20)
        y.push_back(v);
    return y;
}

// T = 40, M = 20, B = 30: the default height is 190; content that passes
// 120 (190 - T - B) gives c - c mod M - M + T + B.
TEST_F(BackgroundTest, HeightFollowsTheContentInWholeTiles)
{
    const struct {
        int lines;
        int32_t textHeight;
        int32_t height;
        int32_t remembered;  // m_nHeight; 0 while the default height holds
    } cases[] = {
        {9, 100, 190, 0},     // content 144, 100 in view
        {0, 120, 190, 0},     // no content
        {20, 120, 190, 0},    // 120: exactly the default
        {17, 200, 250, 250},  // content 200
        {17, 219, 250, 250},  // rounded down to whole tiles
        {20, 220, 270, 270},
        {8, 300, 170, 170},  // the text control is higher than its 128 of content
    };
    CTaskTalkDlg* dlg = TalkWnd();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.textHeight);
        StateView::SetHeight(*dlg, 0);
        const Painted p = Paint(dlg, c.lines, c.textHeight);
        EXPECT_EQ(p.height, c.height);
        EXPECT_EQ(StateView::Height(*dlg), c.remembered);
        EXPECT_EQ(p.top, std::vector<int32_t>{0});
        EXPECT_EQ(p.mid, Tiles(40, c.height - 30 - 20));
        EXPECT_EQ(p.bottom, std::vector<int32_t>{c.height - 30});
    }
}

// A missing picture counts as 0 x 0 and is not drawn; without a middle
// tile the height is the content plus top and bottom, and at least enough
// to cover the window's children.
TEST_F(BackgroundTest, MissingOrFlatImages)
{
    const struct {
        const char* name;
        std::vector<const char*> missing;
        bool flatMiddle;
        int32_t height;  // for content 100
        size_t drawn;
    } cases[] = {
        {"no middle tile", {"BakTaskDlgZhong.bmp"}, false, 170, 2},
        {"middle tile 0 high", {}, true, 170, 2},
        {"no images",
         {"BakTaskDlgShang_1.bmp", "BakTaskDlgZhong.bmp", "BakTaskDlgXia.bmp"},
         false,
         144,  // the talk control's bottom: the window still covers it
         0},
    };
    CTaskTalkDlg* dlg = TalkWnd();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteImages();
        for (const char* name : c.missing)
            std::filesystem::remove(Image(name));
        dlg->LoadImages();
        if (c.flatMiddle) {
            StateView::ReplaceImage(*dlg, StateView::Image::kMiddle, new FakeBitmap(300, 0));
        }
        const Painted p = Paint(dlg, 9, 100);
        EXPECT_EQ(p.height, c.height);
        EXPECT_GE(RectOf(dlg).bottom, ChildrenBottom(dlg));
        EXPECT_TRUE(p.mid.empty());
        EXPECT_EQ(p.top.size() + p.bottom.size(), c.drawn);
    }
}

// Without any background the window still covers the talk control, so a
// link in it is clicked through the desktop like any other.
TEST_F(BackgroundTest, NoImagesKeepTheLinksClickable)
{
    for (const char* name : {"BakTaskDlgShang_1.bmp", "BakTaskDlgZhong.bmp", "BakTaskDlgXia.bmp"})
        std::filesystem::remove(Image(name));
    RecordingCallback callback;
    CTaskTalkDlg* dlg = TalkWnd(&callback);
    dlg->LoadImages();
    for (int lines : {0, 1, 6}) {  // the link on the last of the 7 rows in view
        SCOPED_TRACE(lines);
        dlg->ClearText();
        for (int i = 0; i < lines; ++i)
            dlg->AppendLine("row", 0);
        dlg->AppendLine("Go", 7);
        dlg->SetVisible(TRUE);
        XRecordingCanvas canvas;
        dlg->Paint(&canvas);
        EXPECT_GE(RectOf(dlg).bottom, ChildrenBottom(dlg));
        callback.events.clear();
        StateView::EndHideGuard(*dlg);
        ASSERT_TRUE(ClickLink(dlg, 7));
        EXPECT_EQ(callback.events, (std::vector<Event>{{163, 1, 7, 0}}));
    }
}

}  // namespace
}  // namespace orvane::test
