// Link markup of talk lines, as the item container takes it apart.
#include <string>
#include <vector>

#include "PanelkitTestSupport.h"
#include "panelkit/Views.h"

namespace {

struct Frag {
    std::string text;
    bool isLink;
    std::string url;
};

std::vector<Frag> Parse(const std::string& markup)
{
    XItemContainer items(nullptr);
    items.AddLine(markup.c_str());
    const std::optional<XTalkLine> line = panelkit::LineOf(&items, 0);
    if (!line) {
        ADD_FAILURE() << "no line";
        return {};
    }
    EXPECT_EQ(line->markup, markup);
    std::vector<Frag> out;
    for (const XTalkFragment& f : line->fragments)
        out.push_back(Frag{f.text, f.isLink, f.url});
    return out;
}

Frag Plain(std::string text)
{
    return Frag{std::move(text), false, ""};
}

Frag Link(std::string text, std::string url)
{
    return Frag{std::move(text), true, std::move(url)};
}

struct MarkupCase {
    const char* name;
    std::string markup;
    std::vector<Frag> expected;
};

TEST(LinkMarkup, SplitsLinesIntoFragments)
{
    const std::string noClose = "<link url=\"3\">open";
    const std::string noUrl = "<link underline=\"0\">x</link>";
    const std::string openQuote = "<link url=\"3>x</link>";
    const std::string emptyUrl = "<link url=\"\">x</link>";
    const std::string noBracket = "see <link url=\"3\"";
    const std::string otherTag = "<linkx url=\"1\">a</link>";
    const std::vector<MarkupCase> cases = {
        {"plain", "hello", {Plain("hello")}},
        {"empty line", "", {}},
        {"one link", "<link url=\"105\" underline=\"0\">Yes</link>", {Link("Yes", "105")}},
        {"links among text",
         "Pick <link url=\"1\" underline=\"0\">A</link> or <link url=\"2\">B</link>!",
         {Plain("Pick "), Link("A", "1"), Plain(" or "), Link("B", "2"), Plain("!")}},
        {"adjacent links",
         "<link url=\"1\">A</link><link url=\"2\">B</link>",
         {Link("A", "1"), Link("B", "2")}},
        {"gbk link text", "<link url=\"7\">\xCA\xC7</link>" /* 是 */, {Link("\xCA\xC7", "7")}},
        {"url after other attribute",
         "<link underline=\"0\" url=\"-4\">n</link>",
         {Link("n", "-4")}},
        {"single quotes", "<link url='9'>q</link>", {Link("q", "9")}},
        {"unquoted url", "<link url=5>x</link>", {Link("x", "5")}},
        {"empty link text", "<link url=\"4\"></link>", {Link("", "4")}},
        {"no closing tag", noClose, {Plain(noClose)}},
        {"no url", noUrl, {Plain(noUrl)}},
        {"unterminated quote", openQuote, {Plain(openQuote)}},
        {"empty url", emptyUrl, {Plain(emptyUrl)}},
        {"no closing bracket", noBracket, {Plain(noBracket)}},
        {"not a link tag", otherTag, {Plain(otherTag)}},
        {"stray closing tag", "a</link>b", {Plain("a</link>b")}},
        {"unclosed link before a good one",
         "<link url=\"1\">a<link url=\"2\">b</link>",
         {Plain("<link url=\"1\">a"), Link("b", "2")}},
        {"bare opener at the end", "x<link", {Plain("x<link")}},
    };
    for (const MarkupCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Frag> got = Parse(c.markup);
        ASSERT_EQ(got.size(), c.expected.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].text, c.expected[i].text) << "fragment " << i;
            EXPECT_EQ(got[i].isLink, c.expected[i].isLink) << "fragment " << i;
            EXPECT_EQ(got[i].url, c.expected[i].url) << "fragment " << i;
        }
    }
}

// A line cut anywhere (a truncated server text) parses without harm: before
// the closing tag is complete, all of it is plain text.
TEST(LinkMarkup, EveryTruncationIsPlainUntilTheLinkCloses)
{
    const std::string full = "a<link url=\"12\" underline=\"0\">b\xD6\xD0</link>c"; /* 中 */
    const size_t closeEnd = full.find("</link>") + 7;
    for (size_t length = 0; length <= full.size(); ++length) {
        const std::string prefix = full.substr(0, length);
        SCOPED_TRACE(prefix);
        const std::vector<Frag> got = Parse(prefix);
        if (length < closeEnd) {
            if (length == 0) {
                EXPECT_TRUE(got.empty());
                continue;
            }
            ASSERT_EQ(got.size(), 1u);
            EXPECT_FALSE(got[0].isLink);
            EXPECT_EQ(got[0].text, prefix);
        } else {
            ASSERT_GE(got.size(), 2u);
            EXPECT_EQ(got[1].text, "b\xD6\xD0");
            EXPECT_EQ(got[1].url, "12");
        }
    }
}

TEST(LinkMarkup, NullLineIsIgnoredAndClearEmpties)
{
    XItemContainer items(nullptr);
    items.AddLine(nullptr);
    EXPECT_EQ(items.GetLineCount(), 0);
    items.AddLine("x");
    items.AddLine("<link url=\"1\">y</link>");
    EXPECT_EQ(items.GetLineCount(), 2);
    EXPECT_FALSE(panelkit::LineOf(&items, 2));
    EXPECT_FALSE(panelkit::LineOf(&items, -1));
    items.Clear();
    EXPECT_EQ(items.GetLineCount(), 0);
    EXPECT_EQ(items.GetMaxHeight(), 0);
}

}  // namespace
