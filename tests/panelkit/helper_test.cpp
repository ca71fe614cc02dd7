// Building windows from descriptions through CPanelkitHelper.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "PanelkitTestSupport.h"
#include "panelkit/Views.h"

namespace {

using Helper = PanelkitTest;

TEST_F(Helper, BuildsATreeFromADescription)
{
    FakeRes dlg(
        172, {{"class", "mainwnd"}, {"rect", "100,50,400,350"}, {"movable", "1"}, {"text", "log"}});
    dlg.Add(0, {{"class", "button"}, {"rect", "10, 20, 70, 40"}, {"text", "OK"}});
    dlg.Add(1, {{"class", "button"}, {"rect", "0,0,10,10"}, {"template", "1"}});
    dlg.Add(2, {{"class", "edit"},
                {"rect", "0,60,100,80"},
                {"maxlen", "4"},
                {"text", "abc\xCF\xD0"}}); /* abc闲 */
    dlg.Add(3, {{"class", "talk"}, {"rect", "0,100,200,200"}, {"scrollbar", "0"}});
    FakeRes* group = dlg.Add(4, {{"class", "static"}, {"rect", "200,0,300,100"}});
    group->Add(6, {{"class", "button"}, {"rect", "5,5,25,25"}, {"visible", "0"}, {"enabled", "0"}});
    dlg.Add(5, {{"class", "slider"}, {"rect", "nonsense"}, {"visible", "maybe"}});

    CPanelkitHelper helper;
    XWindow* wnd = helper.CreateXWindow(Desktop(), &dlg, 172, nullptr);
    ASSERT_NE(wnd, nullptr);
    EXPECT_STREQ(wnd->GetClassName(), "mainwnd");
    EXPECT_TRUE(wnd->IsMainWindow());
    EXPECT_EQ(wnd->GetID(), 172);
    EXPECT_EQ(RectOf(wnd), Rect(100, 50, 400, 350));  // absolute on the desktop
    EXPECT_EQ(wnd->IsMovable(), 1);
    EXPECT_STREQ(wnd->GetWindowTextA(), "log");
    EXPECT_EQ(wnd->GetChildCount(), 5);  // the template is not built
    EXPECT_EQ(wnd->FindWindowByID(1), nullptr);

    XWindow* ok = wnd->FindWindowByID(0);
    ASSERT_NE(ok, nullptr);
    EXPECT_STREQ(ok->GetClassName(), "button");
    EXPECT_EQ(RectOf(ok), Rect(110, 70, 170, 90));  // relative to the parent's corner

    XWindow* edit = wnd->FindWindowByID(2);
    ASSERT_NE(edit, nullptr);
    EXPECT_STREQ(edit->GetWindowTextA(), "abc");

    auto* talk = dynamic_cast<XTalk*>(wnd->FindWindowByID(3));
    ASSERT_NE(talk, nullptr);
    EXPECT_EQ(talk->GetScrollBar(), nullptr);
    EXPECT_EQ(talk->GetItemContainer()->GetMaxWidth(), 200);

    XWindow* nested = wnd->FindWindowByID(6);
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->GetParent(), wnd->FindWindowByID(4));
    EXPECT_EQ(RectOf(nested), Rect(305, 55, 325, 75));
    EXPECT_FALSE(nested->IsVisible());
    EXPECT_FALSE(nested->IsEnabled());

    // Unknown class and unreadable attributes: a plain window with defaults.
    XWindow* odd = wnd->FindWindowByID(5);
    ASSERT_NE(odd, nullptr);
    EXPECT_STREQ(odd->GetClassName(), "window");
    EXPECT_EQ(RectOf(odd), Rect(0, 0, 0, 0));
    EXPECT_TRUE(odd->IsVisible());

    // The built dialog takes clicks like any other.
    int clicks = 0;
    ok->m_ClickSignal.connect(new FnConnection([&] { ++clicks; }));
    Desktop()->Click(Pt(120, 80));
    EXPECT_EQ(clicks, 1);
}

TEST_F(Helper, AWindowGivenByTheCallerGetsPropertiesButNoChildren)
{
    FakeRes desc(0, {{"class", "button"}, {"rect", "10,10,50,30"}, {"text", "go"}});
    desc.Add(9, {{"class", "button"}});
    XMainWnd* main = Place<XMainWnd>(Desktop(), Rect(100, 100, 300, 300));
    auto* mine = new XTalk(main);

    CPanelkitHelper helper;
    EXPECT_EQ(helper.CreateXWindow(main, &desc, 7, mine), mine);
    EXPECT_EQ(mine->GetID(), 7);
    EXPECT_EQ(RectOf(mine), Rect(110, 110, 150, 130));
    EXPECT_STREQ(mine->GetClassName(), "talk");  // the caller's class stays
    EXPECT_EQ(mine->FindWindowByID(9), nullptr);
    EXPECT_EQ(main->GetChildCount(), 1);
    // Adding it again does not add a second time.
    helper.CreateXWindow(main, &desc, 7, mine);
    EXPECT_EQ(main->GetChildCount(), 1);
}

TEST_F(Helper, MissingDescriptionOrWindow)
{
    CPanelkitHelper helper;
    EXPECT_EQ(helper.CreateXWindow(Desktop(), nullptr, 3, nullptr), nullptr);
    EXPECT_EQ(Desktop()->GetWindowCount(), 0);

    XMainWnd* main = Place<XMainWnd>(Desktop(), Rect(0, 0, 10, 10));
    auto* wnd = new XWindow(main);
    EXPECT_EQ(helper.CreateXWindow(main, nullptr, 3, wnd), wnd);
    EXPECT_EQ(wnd->GetID(), 3);
    EXPECT_EQ(main->GetChildCount(), 1);

    XWindow loose;
    EXPECT_FALSE(helper.CreateStockProperty(&loose, nullptr, 11));
    EXPECT_EQ(loose.GetID(), 11);
    EXPECT_FALSE(helper.CreateStockProperty(nullptr, nullptr, 11));
}

TEST_F(Helper, RectAttributeVariants)
{
    struct Case {
        const char* text;
        bool applied;
        RECT expected;
    };
    const Case cases[] = {
        {"1,2,3,4", true, Rect(1, 2, 3, 4)},
        {" -5 , 6,7 , 8 ", true, Rect(-5, 6, 7, 8)},
        {"1,2,3", false, {}},
        {"1,2,3,4,5", false, {}},
        {"1,,3,4", false, {}},
        {"a,b,c,d", false, {}},
        {"99999999999,0,0,0", false, {}},
        {"", false, {}},
    };
    CPanelkitHelper helper;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        XWindow wnd;
        RECT start = Rect(40, 41, 42, 43);
        wnd.SetWindowPos(start);
        FakeRes desc(0, {{"rect", c.text}});
        EXPECT_TRUE(helper.CreateStockProperty(&wnd, &desc, 0));
        EXPECT_EQ(RectOf(&wnd), c.applied ? c.expected : start);
    }
}

// A script's child rectangle is relative to its parent: the sum is kept in
// the toolkit's range however large the numbers.
TEST_F(Helper, ChildRectangleNeverOverflows)
{
    CPanelkitHelper helper;
    XWindow parent;
    RECT at = Rect(100, 100, 200, 200);
    parent.SetWindowPos(at);
    FakeRes desc(0, {{"rect", "2147483647,-2147483648,2147483647,0"}});
    XWindow* child = helper.CreateXWindow(&parent, &desc, 1, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(RectOf(child), Rect(1 << 28, -(1 << 28), 1 << 28, 100));
}

TEST_F(Helper, ImageAttributeBecomesTheBackground)
{
    namespace fs = std::filesystem;
    std::random_device random;
    const fs::path dir =
        fs::temp_directory_path() / ("panelkit_helper_image_" + std::to_string(random()));
    fs::create_directories(dir);
    // 1 x 1 TGA, 24 bits.
    const unsigned char tga[] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0x20, 1, 2, 3};
    std::ofstream(dir / "bg.tga", std::ios::binary)
        .write(reinterpret_cast<const char*>(tga), sizeof(tga));
    const std::string saved = CImageLoader::GetInstance()->GetBaseFolder();
    CImageLoader::GetInstance()->SetBaseFolder(dir.string().c_str());

    FakeRes desc(0, {{"class", "window"}, {"rect", "5,6,20,20"}, {"image", "bg.tga"}});
    FakeRes missing(1, {{"class", "window"}, {"image", "none.tga"}});
    CPanelkitHelper helper;
    XWindow* wnd = helper.CreateXWindow(Desktop(), &desc, 0, nullptr);
    XWindow* bare = helper.CreateXWindow(Desktop(), &missing, 1, nullptr);
    CImageLoader::GetInstance()->SetBaseFolder(saved.c_str());
    fs::remove_all(dir);

    ASSERT_NE(wnd->GetBackgroundImage(), nullptr);
    EXPECT_EQ(bare->GetBackgroundImage(), nullptr);
    XRecordingCanvas canvas;
    wnd->Paint(&canvas);
    ASSERT_EQ(panelkit::DrawnItems(canvas).size(), 1u);
    EXPECT_EQ(panelkit::DrawnItems(canvas)[0].bitmap, wnd->GetBackgroundImage());
    EXPECT_EQ(panelkit::DrawnItems(canvas)[0].x, 5);
    EXPECT_EQ(panelkit::DrawnItems(canvas)[0].y, 6);
}

}  // namespace
