// The observer's receipt of message 87 and the texts it puts into the talk
// window: option lines, page text and the numbered task menu.
#include <cstdint>
#include <string>
#include <vector>

#include "client/StateView.h"
#include "tests/tasks/TaskTestSupport.h"

namespace orvane::test {
namespace {

const std::string kChat = "\xCF\xD0\xC1\xC4";               // 闲聊
const std::string kTaskColon = "\xC8\xCE\xCE\xF1\xA3\xBA";  // 任务：
const std::string kTask = "\xC8\xCE\xCE\xF1";               // 任务
const std::string kGbkChar = "\xB0\xA1";                    // 啊

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST(TaskTextsTest, PageText)
{
    struct Case {
        std::optional<std::string> name;
        std::optional<std::string> desc;
        std::string expected;
    } cases[] = {
        {"Name", "a#b", kTaskColon + "Name \r\na\r\nb"},
        {"Name", "##", kTaskColon + "Name \r\n\r\n\r\n"},
        {"", "d", kTaskColon + " \r\nd"},
        {"Name", "", kChat},
        {"Name", std::nullopt, kChat},
        {std::nullopt, "desc", kChat},
        // 10 bytes before the story: the 2-byte characters end at 510; the
        // one across the 511-byte limit is dropped whole.
        {"N", Repeat(kGbkChar, 300), kTaskColon + "N \r\n" + Repeat(kGbkChar, 250)},
        {"NN", Repeat(kGbkChar, 300), kTaskColon + "NN \r\n" + Repeat(kGbkChar, 250)},
        {"N", Repeat("x", 600), kTaskColon + "N \r\n" + Repeat("x", 501)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desc.value_or("(null)").substr(0, 8));
        EXPECT_EQ(
            ComposePageText(c.name ? c.name->c_str() : nullptr, c.desc ? c.desc->c_str() : nullptr),
            c.expected);
    }
}

TEST(TaskTextsTest, MenuLine)
{
    struct Case {
        int32_t position;
        int32_t task;
        std::optional<std::string> name;
        std::string expected;
    } cases[] = {
        {0, 11, "A", kTask + " \xD2\xBB: A"},             // 一
        {2, 11, "C", kTask + " \xC8\xFD: C"},             // 三
        {9, 11, "J", kTask + " \xCA\xAE: J"},             // 十
        {1, 11, std::nullopt, kTask + " \xB6\xFE:  \n"},  // 二, missing name
        {3, 0, "ignored", kChat},
        // 9 bytes before the name: 2-byte characters end exactly at 127.
        {0, 11, Repeat(kGbkChar, 100), kTask + " \xD2\xBB: " + Repeat(kGbkChar, 59)},
        {0, 11, "x" + Repeat(kGbkChar, 100), kTask + " \xD2\xBB: x" + Repeat(kGbkChar, 58)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(ComposeMenuLine(c.position, c.task, c.name ? c.name->c_str() : nullptr),
                  c.expected);
    }
}

TEST(TaskTextsTest, CutGbkKeepsCharactersWhole)
{
    struct Case {
        std::string text;
        size_t max;
        std::string expected;
    } cases[] = {
        {"abc", 3, "abc"},        {"abcd", 3, "abc"},
        {"a" + kGbkChar, 2, "a"}, {kGbkChar + "a", 2, kGbkChar},
        {"ab\xB0", 2, "ab"},      {kGbkChar, 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CutGbk(c.text, c.max), c.expected);
}

TEST(TaskTextsTest, ReaderRangesUseTheSubtractionForm)
{
    const uint8_t bytes[4] = {1, 2, 3, 4};
    ByteReader r{std::span<const uint8_t>(bytes)};
    EXPECT_TRUE(r.sub_reader(4, 0).has_value());
    EXPECT_FALSE(r.sub_reader(5, 0).has_value());
    EXPECT_FALSE(r.sub_reader(1, SIZE_MAX).has_value());
    EXPECT_FALSE(r.sub_reader(SIZE_MAX, 2).has_value());
    ASSERT_TRUE(r.skip(3));
    EXPECT_FALSE(r.read_u16_le().has_value());
    EXPECT_EQ(r.position(), 3u) << "a failed read moves nothing";
    EXPECT_EQ(r.text_at(4), std::string());
    EXPECT_EQ(r.text_at(2), std::string("\x03\x04"));
}

class ObserverTest : public TaskMessageTest {
protected:
    std::vector<int32_t> CommandTypes()
    {
        std::vector<int32_t> out;
        for (const auto& c : talk->commands)
            out.push_back(c.type);
        return out;
    }
    int OpenWindowEvents = 0;
    void CountOpenWindows()
    {
        host.hub.SetListener([this](const host::HostEvent& ev) {
            if (ev.kind == host::HostEvent::Kind::OpenWindow && ev.windowId == 163)
                ++OpenWindowEvents;
        });
    }
};

TEST_F(ObserverTest, RegistersOncePerMessage)
{
    Client()->InitTaskObserver();
    EXPECT_EQ(host.registry.CountFor(87), 1u);
    EXPECT_EQ(host.registry.CountFor(91), 1u);
    helper.Close();
    EXPECT_EQ(host.registry.CountFor(87), 0u);
    EXPECT_EQ(host.registry.CountFor(91), 0u);
}

TEST_F(ObserverTest, OnePageFillsAndOpensTheWindow)
{
    CountOpenWindows();
    StateView::Sentences(*Client()).Append(31, "Yes");
    StateView::TaskLog(*Client()).Add(11, "Quest", "first#second");
    WirePage page{11, {{105, 31}, {0, 77}}, {}};
    DeliverTalk(TalkMessage({page}));

    EXPECT_EQ(CommandTypes(), (std::vector<int32_t>{4, 4, 2, 2, 100, 3}));
    ASSERT_EQ(talk->screens.size(), 1u);
    const TalkScreen& shown = talk->screens[0];
    EXPECT_EQ(shown.lines, (std::vector<std::pair<std::string, int32_t>>{{"Yes", 105}, {"\n", 0}}));
    EXPECT_EQ(shown.panel, kTaskColon + "Quest \r\nfirst\r\nsecond");
    std::vector<std::string> prints = TakePrints();
    std::erase_if(prints,
                  [](const std::string& line) { return !line.starts_with("CTaskObserver"); });
    EXPECT_EQ(prints, (std::vector<std::string>{
                          "CTaskObserver::OnRefreshTaskList  ...... ok",
                          "CTaskObserver::OnRefreshTaskList  pText == NULL  nResID = 77"}));
    EXPECT_EQ(OpenWindowEvents, 3) << "before the pages, by the page, and at the end";
    EXPECT_TRUE(std::equal(kTestKey, kTestKey + 8, Seq()->ReplyKey().begin()));
}

TEST_F(ObserverTest, OnlyTenOptionsAreShown)
{
    std::vector<WireOption> options;
    for (int32_t i = 0; i < 10; ++i)
        options.push_back({i + 1, 500 + i});
    DeliverTalk(TalkMessage({{11, options, 12}}));
    ASSERT_EQ(talk->screens.size(), 1u);
    EXPECT_EQ(talk->screens[0].lines.size(), 10u);
    EXPECT_EQ(talk->screens[0].panel, kChat);
}

TEST_F(ObserverTest, TaskMenuNumbersTasksAndEndsWithChat)
{
    StateView::TaskLog(*Client()).Add(11, "A", "");
    StateView::TaskLog(*Client()).Add(13, "C", "");
    DeliverTalk(TalkMessage({{11, {{1, 1}, {2, 2}}, {}},
                             {0, {{1, 3}}, {}},
                             {12, {{1, 1}, {2, 2}}, {}},
                             {13, {{1, 1}, {2, 2}}, {}}}));
    ASSERT_EQ(talk->screens.size(), 1u);
    EXPECT_EQ(talk->screens[0].lines, (std::vector<std::pair<std::string, int32_t>>{
                                          {kTask + " \xD2\xBB: A", 100},    // 一
                                          {kTask + " \xB6\xFE:  \n", 102},  // 二, no name
                                          {kTask + " \xC8\xFD: C", 103},    // 三
                                          {kChat, 101}}));
    EXPECT_EQ(talk->screens[0].panel, kMenuHeading);
    EXPECT_EQ(CountPrints("CTaskObserver::OnRefreshTaskList  pText == NULL  nResID = 12"), 1);
}

TEST_F(ObserverTest, MessagesWithoutDataAreIgnored)
{
    host.registry.Deliver(87, nullptr, 540);
    DeliverTalk({});
    EXPECT_TRUE(talk->commands.empty());
    EXPECT_TRUE(TakePrints().empty());
}

TEST_F(ObserverTest, WithoutUiServiceOnlyTheKeyIsStored)
{
    const uint8_t threePages[2] = {3, 0};
    Seq()->LoadPages(threePages, sizeof threePages);
    host.DropUiService();
    DeliverTalk(TalkMessage({{11, {{0, 1}}, {}}}));
    EXPECT_TRUE(std::equal(kTestKey, kTestKey + 8, Seq()->ReplyKey().begin()));
    EXPECT_EQ(StateView::PageArea(*Seq()).m_nPageCount, 3) << "pages untouched";
    EXPECT_TRUE(talk->commands.empty());
}

TEST_F(ObserverTest, ShortMessagesReadOnlyTheBytesTheyHold)
{
    StateView::Sentences(*Client()).Append(41, "held");
    StateView::Sentences(*Client()).Append(42, "also held");
    Bytes full =
        TalkMessage({{11, {{0, 41}, {0, 42}, {7, 43}}, {}}, {12, {{1, 1}, {2, 2}}, {}}}, 1);
    // Ends after page 0's second option: the third and page 1 read as zero.
    DeliverTalk(Bytes(full.begin(), full.begin() + 36));
    ASSERT_EQ(talk->screens.size(), 1u);
    EXPECT_EQ(talk->screens[0].lines, (std::vector<std::pair<std::string, int32_t>>{
                                          {"held", 0}, {"also held", 0}, {"\n", 0}}));
    EXPECT_EQ(StateView::PageArea(*Seq()).m_Pages[1].nTaskID, 0);

    // Three bytes: a partial key, no pages.
    DeliverTalk({0xA1, 0xA2, 0xA3});
    const uint8_t key[8] = {0xA1, 0xA2, 0xA3, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(key, key + 8, Seq()->ReplyKey().begin()));
    EXPECT_EQ(StateView::PageArea(*Seq()).m_nPageCount, 0);
    EXPECT_EQ(talk->screens.size(), 1u);
}

TEST_F(ObserverTest, WithoutTalkWindowCommandsAreSkipped)
{
    StateView::SetTalkDlg(*Client(), nullptr);
    DeliverTalk(TalkMessage({{11, {{1, 1}, {2, 2}}, {}}, {12, {{1, 1}, {2, 2}}, {}}}));
    EXPECT_EQ(StateView::TalkState(*Seq()), TALK_AWAIT_CHOICE);
    EXPECT_TRUE(talk->commands.empty());
}

}  // namespace
}  // namespace orvane::test
