// The window tree: lookups, coordinates, ownership, painting and texts.
#include <string>
#include <vector>

#include "PanelkitTestSupport.h"
#include "panelkit/Views.h"

namespace {

// Counts its own destruction.
class CountedWindow : public XWindow {
public:
    CountedWindow(XWindow* parent, int* deaths) : XWindow(parent), m_deaths(deaths) {}
    ~CountedWindow() override { ++*m_deaths; }

private:
    int* m_deaths;
};

using WindowTree = PanelkitTest;

TEST_F(WindowTree, FindWindowByIdSearchesEveryDepthNearestFirst)
{
    XMainWnd* main = Place<XMainWnd>(Desktop(), Rect(0, 0, 100, 100));
    XWindow* a = Place<XWindow>(main, Rect(0, 0, 10, 10));
    XWindow* b = Place<XWindow>(a, Rect(0, 0, 5, 5));
    XWindow* deep = Place<XWindow>(b, Rect(0, 0, 2, 2));
    XWindow* shallow = Place<XWindow>(main, Rect(0, 0, 3, 3));
    a->SetID(1);
    b->SetID(2);
    deep->SetID(7);
    shallow->SetID(9);
    XWindow* alsoNine = Place<XWindow>(b, Rect(0, 0, 1, 1));
    alsoNine->SetID(9);
    main->SetID(5);

    EXPECT_EQ(main->FindWindowByID(7), deep);
    EXPECT_EQ(main->FindWindowByID(2), b);
    EXPECT_EQ(main->FindWindowByID(9), shallow);  // the nearer of the two
    EXPECT_EQ(a->FindWindowByID(9), alsoNine);
    EXPECT_EQ(main->FindWindowByID(5), nullptr);  // not the window itself
    EXPECT_EQ(main->FindWindowByID(42), nullptr);
}

TEST_F(WindowTree, TalkPartsDoNotAnswerIdLookups)
{
    XMainWnd* main = Place<XMainWnd>(Desktop(), Rect(0, 0, 100, 100));
    XTalk* talk = Place<XTalk>(main, Rect(0, 0, 50, 50));
    XWindow* close = Place<XWindow>(main, Rect(60, 0, 70, 10));
    close->SetID(1);
    EXPECT_EQ(main->FindWindowByID(0), talk);
    EXPECT_EQ(main->FindWindowByID(1), close);
}

TEST_F(WindowTree, MoveWindowShiftsTheWholeSubtree)
{
    struct Case {
        int32_t dx;
        int32_t dy;
    };
    for (const Case& c : {Case{0, 0}, Case{15, -4}, Case{-300, 250}}) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        XDesktop::Reset();
        XMainWnd* main = Place<XMainWnd>(Desktop(), Rect(100, 100, 300, 200));
        XWindow* child = Place<XWindow>(main, Rect(110, 120, 150, 140));
        XWindow* grandchild = Place<XWindow>(child, Rect(115, 125, 120, 130));
        main->MoveWindow(c.dx, c.dy);
        EXPECT_EQ(RectOf(main), Rect(100 + c.dx, 100 + c.dy, 300 + c.dx, 200 + c.dy));
        EXPECT_EQ(RectOf(child), Rect(110 + c.dx, 120 + c.dy, 150 + c.dx, 140 + c.dy));
        EXPECT_EQ(RectOf(grandchild), Rect(115 + c.dx, 125 + c.dy, 120 + c.dx, 130 + c.dy));
    }
}

TEST_F(WindowTree, SetWindowPosMovesChildrenByTheCornerChange)
{
    XMainWnd* main = Place<XMainWnd>(Desktop(), Rect(100, 100, 300, 200));
    XWindow* child = Place<XWindow>(main, Rect(110, 120, 150, 140));
    RECT target = Rect(50, 80, 400, 100);  // corner moves by (-50, -20), size changes
    main->SetWindowPos(target);
    EXPECT_EQ(RectOf(main), Rect(50, 80, 400, 100));
    EXPECT_EQ(main->GetWidth(), 350);
    EXPECT_EQ(main->GetHeight(), 20);
    EXPECT_EQ(RectOf(child), Rect(60, 100, 100, 120));
    // Only the size changes: children stay.
    RECT wider = Rect(50, 80, 500, 300);
    main->SetWindowPos(wider);
    EXPECT_EQ(RectOf(child), Rect(60, 100, 100, 120));
}

TEST_F(WindowTree, ReleaseLeavesTheParentAndDeletesTheSubtree)
{
    int deaths = 0;
    XMainWnd* main = Place<XMainWnd>(Desktop(), Rect(0, 0, 100, 100));
    auto* child = new CountedWindow(main, &deaths);
    main->AddChild(child);
    child->AddChild(new CountedWindow(child, &deaths));
    main->AddChild(new CountedWindow(main, &deaths));
    child->Release();
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(main->GetChildCount(), 1);

    Desktop()->DestroyWindow(main);
    EXPECT_EQ(deaths, 3);
    EXPECT_EQ(Desktop()->GetWindowCount(), 0);
}

TEST_F(WindowTree, ResetEndsEveryTopLevelWindowAndClearsRouting)
{
    int deaths = 0;
    auto* first = new CountedWindow(nullptr, &deaths);
    auto* second = new CountedWindow(nullptr, &deaths);
    Desktop()->AddWindow(first);
    Desktop()->AddWindow(second);
    second->SetActive();
    EXPECT_EQ(Desktop()->GetActiveWindow(), second);
    XDesktop::Reset();
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(Desktop()->GetWindowCount(), 0);
    EXPECT_EQ(Desktop()->GetActiveWindow(), nullptr);
    EXPECT_EQ(RectOf(Desktop()), Rect(0, 0, 800, 600));
}

TEST_F(WindowTree, TopLevelBookkeeping)
{
    XMainWnd* a = Place<XMainWnd>(Desktop(), Rect(0, 0, 10, 10));
    XMainWnd* b = Place<XMainWnd>(Desktop(), Rect(0, 0, 10, 10));
    XWindow* child = Place<XWindow>(a, Rect(0, 0, 5, 5));
    a->SetID(3);
    b->SetID(3);
    EXPECT_TRUE(a->IsMainWindow());
    EXPECT_FALSE(child->IsMainWindow());
    EXPECT_EQ(child->GetMainWnd(), a);
    EXPECT_EQ(a->GetMainWnd(), a);
    EXPECT_EQ(a->GetParent(), Desktop());
    // Activation changes the stacking, not the age order.
    a->SetActive();
    EXPECT_EQ(panelkit::TopLevelWindows(3), (std::vector<XWindow*>{a, b}));
    EXPECT_EQ(Desktop()->GetWindowAt(0), a);
    EXPECT_EQ(Desktop()->TopLevelAt(Pt(1, 1)), a);
    EXPECT_TRUE(Desktop()->HasWindow(b));
    EXPECT_FALSE(Desktop()->HasWindow(child));
}

TEST_F(WindowTree, TextsAreNeverNull)
{
    XWindow wnd;
    EXPECT_STREQ(wnd.GetWindowTextA(), "");
    wnd.SetWindowTextA("abc");
    EXPECT_STREQ(wnd.GetWindowTextA(), "abc");
    wnd.SetWindowTextA(nullptr);
    EXPECT_STREQ(wnd.GetWindowTextA(), "");
}

TEST(EditText, MaxLenNeverSplitsADoubleByteCharacter)
{
    // "\xCF\xD0\xC1\xC4" /* 闲聊 */
    struct Case {
        int32_t maxLen;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {0, "abcdef", "abcdef"},
        {4, "abcdef", "abcd"},
        {4, "\xCF\xD0\xC1\xC4", "\xCF\xD0\xC1\xC4"},
        {3, "\xCF\xD0\xC1\xC4", "\xCF\xD0"},
        {1, "\xCF\xD0", ""},
        {2, "a\xCF\xD0", "a"},
        {3, "a\xCF\xD0z", "a\xCF\xD0"},
        // A lead byte without a trail byte is a single byte.
        {2, "a\xCF", "a\xCF"},
        {-5, "abc", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.maxLen << " " << c.text);
        XEdit edit(nullptr);
        edit.SetMaxLen(c.maxLen);
        edit.SetWindowTextA(c.text);
        EXPECT_STREQ(edit.GetWindowTextA(), c.expected);
    }
    // A limit set later cuts the current text too.
    XEdit edit(nullptr);
    edit.SetWindowTextA("abc\xCF\xD0");
    edit.SetMaxLen(4);
    EXPECT_STREQ(edit.GetWindowTextA(), "abc");
}

TEST(Fonts, FixedMetricsAndOneFontPerFaceAndSize)
{
    ITTFont* font = XFontCreate::GetInstance()->CreateFontA("face", 12, 0, 0, 0, 0, 128);
    struct Case {
        const char* text;
        int32_t width;
    };
    // A row of a 12-pixel CJK face: ascent 12, descent 4.
    EXPECT_EQ(font->GetTextHeight(), 16);
    EXPECT_EQ(font->GetTextWidth(nullptr), 0);
    // "\xCF\xD0\xC1\xC4" /* 闲聊 */; a lead byte at the end is a single byte.
    for (const Case& c : {Case{"", 0}, Case{"a", 6}, Case{"abc", 18}, Case{"\xCF\xD0\xC1\xC4", 24},
                          Case{"a\xCF\xD0z", 24}, Case{"\xCF", 6}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(font->GetTextWidth(c.text), c.width);
    }
    EXPECT_EQ(XFontCreate::GetInstance()->CreateFontA("face", 12, 0, 0, 0, 0, 0), font);
    ITTFont* big = XFontCreate::GetInstance()->CreateFontA("face", 16, 0, 0, 0, 0, 128);
    EXPECT_NE(big, font);
    EXPECT_EQ(big->GetTextHeight(), 22);
    EXPECT_EQ(big->GetTextWidth("a\xCF\xD0"), 8 + 16);
    XWindow wnd;
    EXPECT_EQ(wnd.GetFont()->GetTextHeight(), 16);
}

TEST_F(WindowTree, PaintDrawsVisibleWindowsInOrder)
{
    XMainWnd* main = Place<XMainWnd>(Desktop(), Rect(0, 0, 200, 100));
    XButton* ok = Place<XButton>(main, Rect(10, 10, 70, 30));
    ok->SetWindowTextA("OK");
    XButton* hidden = Place<XButton>(main, Rect(80, 10, 140, 30));
    hidden->SetWindowTextA("No");
    hidden->SetVisible(FALSE);
    XEdit* edit = Place<XEdit>(main, Rect(10, 40, 190, 60));
    edit->SetWindowTextA("note");

    XRecordingCanvas canvas;
    Desktop()->Paint(&canvas);
    const auto& items = panelkit::DrawnItems(canvas);
    ASSERT_EQ(items.size(), 2u);
    // "OK" is 12 wide and 16 high, centred in 60 x 20.
    EXPECT_EQ(items[0].text, "OK");
    EXPECT_EQ(items[0].x, 10 + 24);
    EXPECT_EQ(items[0].y, 10 + 2);
    EXPECT_EQ(items[0].clip, Rect(10, 10, 70, 30));
    EXPECT_EQ(items[0].flag, 1);
    EXPECT_EQ(items[1].text, "note");
    EXPECT_EQ(items[1].x, 10);
}

TEST_F(WindowTree, OnlyAMainWindowDrawsItsTextAsATitle)
{
    XMainWnd* main = Place<XMainWnd>(Desktop(), Rect(100, 50, 300, 150));
    main->SetWindowTextA("Log");
    main->SetForeColor(0x07E0);
    XWindow* child = Place<XWindow>(main, Rect(10, 40, 190, 60));
    child->SetWindowTextA("child");
    XMainWnd* untitled = Place<XMainWnd>(Desktop(), Rect(400, 50, 500, 150));
    untitled->SetWindowTextA("");

    XRecordingCanvas canvas;
    Desktop()->Paint(&canvas);
    const auto& items = panelkit::DrawnItems(canvas);
    ASSERT_EQ(items.size(), 1u);
    // "Log" is 18 wide, centred across 200, 12 below the top; in its colour.
    EXPECT_EQ(items[0].text, "Log");
    EXPECT_EQ(items[0].x, 100 + (200 - 18) / 2);
    EXPECT_EQ(items[0].y, 50 + 12);
    EXPECT_EQ(items[0].color, 0x07E0);
    EXPECT_EQ(items[0].clip, Rect(100, 50, 300, 150));
}

}  // namespace
