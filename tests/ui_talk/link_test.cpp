// Lines with link markup and the numbers that clicked links carry.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "client/StateView.h"
#include "panelkit/Views.h"
#include "tests/ui_talk/TalkTestSupport.h"

namespace orvane::test {
namespace {

class LinkTest : public TalkFixture {};

TEST_F(LinkTest, AppendLineMarkup)
{
    const struct {
        const char* text;
        int32_t link;
        std::optional<std::string> markup;  // none: no line added
    } cases[] = {
        {"Yes", 105, "<link url=\"105\" underline=\"0\">Yes</link>"},
        {"Yes", 0, "Yes"},
        {"Yes", -7, "<link url=\"-7\" underline=\"0\">Yes</link>"},
        {"Yes", INT32_MIN, "<link url=\"-2147483648\" underline=\"0\">Yes</link>"},
        {"", 3, "<link url=\"3\" underline=\"0\"></link>"},
        {nullptr, 105, std::nullopt},
    };
    CTaskTalkDlg* dlg = TalkWnd();
    XItemContainer* items = StateView::Talk(*dlg)->GetItemContainer();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        dlg->ClearText();
        dlg->AppendLine(c.text, c.link);
        ASSERT_EQ(items->GetLineCount(), c.markup ? 1 : 0);
        if (c.markup) {
            EXPECT_EQ(panelkit::LineOf(items, 0)->markup, *c.markup);
        }
    }
    // The host's line operation writes to the talk window the same way.
    dlg->ClearText();
    EXPECT_TRUE(Client()->AddTalkLine("Yes", 105));
    EXPECT_EQ(LinesOf(dlg), (std::vector<ShownLine>{{"Yes", 105}}));
}

// The number is read from the url's first 10 characters, one more after a
// sign: blanks and a sign may lead, reading stops at the first non-digit,
// and no digits give 0.
TEST_F(LinkTest, ClickedUrlGivesTheNumber)
{
    const struct {
        const char* url;
        int32_t number;
    } cases[] = {
        {"105", 105},
        {"123456789012", 1234567890},
        {"-2147483648", -2147483647 - 1},  // the sign does not cost a digit
        {"-1000000005", -1000000005},
        {"-123456789012", -1234567890},
        {"+1234567890", 1234567890},
        {"2147483647", 2147483647},
        {"9999999999", 2147483647},
        {"-9999999999", -2147483647 - 1},
        {"    -12345678", -123456},  // blanks still count among the ten
        {"  42", 42},
        {"+8", 8},
        {"-17", -17},
        {"7abc", 7},
        {"abc", 0},
        {"          5", 0},  // ten blanks: the digit lies beyond the first ten
    };
    RecordingCallback callback;
    CTaskTalkDlg* dlg = TalkWnd(&callback);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        dlg->ClearText();
        StateView::Talk(*dlg)->AddLine(
            (std::string("<link url=\"") + c.url + "\" underline=\"0\">go</link>").c_str());
        dlg->SetVisible(TRUE);
        callback.events.clear();
        ASSERT_TRUE(ClickLinkUrl(dlg, c.url));
        EXPECT_FALSE(dlg->IsVisible());
        EXPECT_EQ(callback.events, (std::vector<Event>{{163, 1, c.number, 0}}));
    }
    callback.events.clear();
    StateView::Talk(*dlg)->OnTaskTextClick(nullptr);
    StateView::Talk(*dlg)->OnTaskTextClick("");
    EXPECT_EQ(callback.events, (std::vector<Event>{{163, 1, 0, 0}, {163, 1, 0, 0}}));
}

// A click on plain text or beside a link reports nothing.
TEST_F(LinkTest, PlainTextIsNotALink)
{
    RecordingCallback callback;
    CTaskTalkDlg* dlg = TalkWnd(&callback);
    dlg->AppendLine("Plain words", 0);
    dlg->AppendLine("Go", 5);
    dlg->SetVisible(TRUE);
    const std::optional<XTalkLine> plain =
        panelkit::LineOf(StateView::Talk(*dlg)->GetItemContainer(), 0);
    XDesktop::GetInstance()->Click(POINT{plain->rect.left + 1, plain->rect.top + 1});
    EXPECT_TRUE(callback.events.empty());
    EXPECT_TRUE(dlg->IsVisible());
}

}  // namespace
}  // namespace orvane::test
