// Player input through the desktop: clicks, links, drags, hover and keys.
#include <string>
#include <vector>

#include "PanelkitTestSupport.h"
#include "panelkit/Views.h"

namespace {

// A talk control that records its link clicks, and can end its window.
class RecordingTalk : public XTalk {
public:
    explicit RecordingTalk(XWindow* parent) : XTalk(parent) {}
    void OnTaskTextClick(const char* url) override
    {
        urls.push_back(url);
        if (endWindowOnClick)
            GetDesktop()->DestroyWindow(GetMainWnd());
    }
    std::vector<std::string> urls;
    bool endWindowOnClick = false;
};

class HoverButton : public XButton {
public:
    explicit HoverButton(XWindow* parent) : XButton(parent) {}
    void OnMouseEnter() override { events.push_back("enter"); }
    void OnMouseExit() override { events.push_back("exit"); }
    BOOL OnAccelKey(uint32_t, uint32_t) override
    {
        events.push_back("key");
        return TRUE;
    }
    std::vector<std::string> events;
};

class Routing : public PanelkitTest {
protected:
    // A main window at (100,100)-(300,200) with a button at (110,110)-(170,130).
    void SetUp() override
    {
        PanelkitTest::SetUp();
        main = Place<XMainWnd>(Desktop(), Rect(100, 100, 300, 200));
        button = Place<XButton>(main, Rect(110, 110, 170, 130));
        button->m_ClickSignal.connect(new FnConnection([this] { ++clicks; }));
    }
    XMainWnd* main = nullptr;
    XButton* button = nullptr;
    int clicks = 0;
};

TEST_F(Routing, ClickOnAButtonFiresItsSignalOnce)
{
    Desktop()->Click(Pt(120, 120));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(Desktop()->GetCaptureWindow(), nullptr);
}

TEST_F(Routing, PressAndReleaseMustBothBeOverTheButton)
{
    struct Case {
        const char* name;
        POINT down;
        POINT up;
        bool pressed;
        int clicks;
    };
    const Case cases[] = {
        {"release outside", Pt(120, 120), Pt(200, 150), true, 0},
        {"release off every window", Pt(120, 120), Pt(5, 5), true, 0},
        {"press outside, release on it", Pt(200, 150), Pt(120, 120), false, 0},
        {"moved within the button", Pt(110, 110), Pt(169, 129), true, 1},
        {"right edge is outside", Pt(170, 120), Pt(170, 120), false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clicks = 0;
        Desktop()->MouseDown(c.down, 1);
        EXPECT_EQ(button->IsPressed() != FALSE, c.pressed);
        Desktop()->MouseUp(c.up, 1);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_FALSE(button->IsPressed());
    }
}

TEST_F(Routing, HiddenOrDisabledWindowsGetNoClicks)
{
    button->SetVisible(FALSE);
    Desktop()->Click(Pt(120, 120));
    EXPECT_EQ(clicks, 0);

    button->SetVisible(TRUE);
    button->SetEnabled(FALSE);
    Desktop()->Click(Pt(120, 120));
    EXPECT_EQ(clicks, 0);

    button->SetEnabled(TRUE);
    main->SetVisible(FALSE);
    Desktop()->Click(Pt(120, 120));
    EXPECT_EQ(clicks, 0);

    // Hidden between press and release: the release does not click.
    main->SetVisible(TRUE);
    Desktop()->MouseDown(Pt(120, 120), 1);
    button->SetVisible(FALSE);
    Desktop()->MouseUp(Pt(120, 120), 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->IsPressed());
}

TEST_F(Routing, TopMostWindowWins)
{
    XMainWnd* cover = Place<XMainWnd>(Desktop(), Rect(100, 100, 300, 200));
    XButton* coverButton = Place<XButton>(cover, Rect(110, 110, 170, 130));
    int coverClicks = 0;
    coverButton->m_ClickSignal.connect(new FnConnection([&] { ++coverClicks; }));

    Desktop()->Click(Pt(120, 120));
    EXPECT_EQ(coverClicks, 1);
    EXPECT_EQ(clicks, 0);

    main->SetActive();
    Desktop()->Click(Pt(120, 120));
    EXPECT_EQ(coverClicks, 1);
    EXPECT_EQ(clicks, 1);

    // A hidden top window lets the press through to the one below.
    main->SetVisible(FALSE);
    Desktop()->Click(Pt(120, 120));
    EXPECT_EQ(coverClicks, 2);
}

TEST_F(Routing, ClickHandlerMayEndItsOwnWindow)
{
    int destroyed = 0;
    int later = 0;
    button->m_ClickSignal.connect(
        new FnConnection([this] { Desktop()->DestroyWindow(main); }, &destroyed));
    button->m_ClickSignal.connect(new FnConnection([&] { ++later; }, &destroyed));
    Desktop()->Click(Pt(120, 120));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(later, 0);  // the signal died with its window
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(Desktop()->GetWindowCount(), 0);
    EXPECT_EQ(Desktop()->GetMouseWindow(), nullptr);
    EXPECT_EQ(Desktop()->GetCaptureWindow(), nullptr);
    // Input after the window is gone reaches nothing.
    Desktop()->MouseMove(Pt(121, 121), 0);
    Desktop()->Click(Pt(120, 120));
}

TEST(Signal, EmitsInOrderAndFreesConnectionsOnce)
{
    std::vector<int> order;
    int destroyed = 0;
    {
        Signal0 signal;
        for (int i = 0; i < 3; ++i)
            signal.connect(new FnConnection([&order, i] { order.push_back(i); }, &destroyed));
        signal.connect(nullptr);
        EXPECT_EQ(signal.GetConnectionCount(), 3);
        signal.emit();
        signal.emit();
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(destroyed, 3);
}

TEST(Signal, OwnerEndedInANestedEmit)
{
    int destroyed = 0;
    int calls = 0;
    auto* signal = new Signal0();
    signal->connect(new FnConnection(
        [&] {
            if (++calls == 1)
                signal->emit();  // re-entered; the inner emit ends the signal
            else
                delete signal;
        },
        &destroyed));
    signal->emit();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(destroyed, 1);
}

class LinkRouting : public PanelkitTest {
protected:
    void SetUp() override
    {
        PanelkitTest::SetUp();
        main = Place<XMainWnd>(Desktop(), Rect(0, 0, 400, 300));
        talk = Place<RecordingTalk>(main, Rect(10, 10, 310, 110));
        // Row 0: "Go " (18 px) then link "A" (6 px) at x 28..34, y 10..26.
        talk->AddLine(
            "Go <link url=\"105\" underline=\"0\">A</link> or "
            "<link url=\"7\">B</link>");
        // Row 1: the whole line is a link, 12 px per GBK character.
        talk->AddLine("<link url=\"12\">\xCA\xC7\xB5\xC4</link>"); /* 是的 */
    }
    XMainWnd* main = nullptr;
    RecordingTalk* talk = nullptr;
};

TEST_F(LinkRouting, ClickOnALinkReportsItsUrl)
{
    struct Case {
        const char* name;
        POINT down;
        POINT up;
        std::vector<std::string> urls;
    };
    const std::vector<Case> cases = {
        {"first link", Pt(30, 15), Pt(30, 15), {"105"}},
        {"second link on the row", Pt(60, 20), Pt(60, 20), {"7"}},
        {"link on the second line", Pt(20, 30), Pt(20, 30), {"12"}},
        {"plain text", Pt(12, 15), Pt(12, 15), {}},
        {"released on another link", Pt(30, 15), Pt(60, 20), {}},
        {"released off the link", Pt(30, 15), Pt(200, 15), {}},
        {"past the end of the lines", Pt(30, 80), Pt(30, 80), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        talk->urls.clear();
        Desktop()->MouseDown(c.down, 1);
        Desktop()->MouseUp(c.up, 1);
        EXPECT_EQ(talk->urls, c.urls);
    }
}

TEST_F(LinkRouting, LinkHandlerMayEndTheWindow)
{
    talk->endWindowOnClick = true;
    Desktop()->Click(Pt(30, 15));
    EXPECT_EQ(Desktop()->GetWindowCount(), 0);
}

TEST_F(LinkRouting, LinksFollowTheWindowWhenItMoves)
{
    main->MoveWindow(100, 50);
    const std::optional<XTalkFragment> link =
        panelkit::LinkAt(talk->GetItemContainer(), Pt(130, 65));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->url, "105");
    EXPECT_EQ(link->rect, Rect(128, 60, 134, 76));
    Desktop()->Click(Pt(130, 65));
    EXPECT_EQ(talk->urls, (std::vector<std::string>{"105"}));
}

TEST_F(Routing, MovableWindowIsDraggedByTheMouseDelta)
{
    main->SetMovable(1);
    Desktop()->MouseDown(Pt(250, 150), 1);  // the window's own background
    Desktop()->MouseMove(Pt(260, 145), 1);
    Desktop()->MouseMove(Pt(270, 155), 1);
    Desktop()->MouseUp(Pt(270, 155), 1);
    EXPECT_EQ(RectOf(main), Rect(120, 105, 320, 205));
    EXPECT_EQ(RectOf(button), Rect(130, 115, 190, 135));
    // After the release, moving does not drag.
    Desktop()->MouseMove(Pt(300, 180), 0);
    EXPECT_EQ(RectOf(main), Rect(120, 105, 320, 205));

    // A press on the button does not drag; an immovable window stays.
    Desktop()->MouseDown(Pt(140, 125), 1);
    Desktop()->MouseMove(Pt(150, 125), 1);
    Desktop()->MouseUp(Pt(150, 125), 1);
    main->SetMovable(0);
    Desktop()->MouseDown(Pt(250, 150), 1);
    Desktop()->MouseMove(Pt(260, 150), 1);
    Desktop()->MouseUp(Pt(260, 150), 1);
    EXPECT_EQ(RectOf(main), Rect(120, 105, 320, 205));
}

TEST_F(Routing, MouseEnterAndExitFollowTheDeepestWindow)
{
    auto* hover = Place<HoverButton>(main, Rect(200, 110, 260, 130));
    Desktop()->MouseMove(Pt(210, 120), 0);
    EXPECT_EQ(Desktop()->GetMouseWindow(), hover);
    EXPECT_EQ(button->GetMouseMove(), hover);
    Desktop()->MouseMove(Pt(220, 121), 0);
    Desktop()->MouseMove(Pt(280, 150), 0);
    EXPECT_EQ(Desktop()->GetMouseWindow(), main);
    Desktop()->MouseMove(Pt(5, 5), 0);
    EXPECT_EQ(Desktop()->GetMouseWindow(), nullptr);
    EXPECT_EQ(hover->events, (std::vector<std::string>{"enter", "exit"}));

    Desktop()->AccelKey(hover);
    Desktop()->AccelKey(nullptr);
    EXPECT_EQ(hover->events.back(), "key");
}

}  // namespace
