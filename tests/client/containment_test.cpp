// A host service that throws inside a call from the module: the failure
// stays in the module, which writes one line naming the operation, gives
// the operation's failure value and handles the next message as usual.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "client/StateView.h"
#include "tests/ui_talk/TalkTestSupport.h"

namespace orvane::test {
namespace {

struct ThrowingServices : IUiService, ITimerService, IMsgRegistry, IResLoader, INetSender {
    void Confirm(const char*, IWndCallback*, int32_t) override { Fail(); }
    void OpenClientWnd(int32_t, IWndCallback*) override { Fail(); }
    void SetTimer(int32_t, ITimerSink*, int32_t) override { Fail(); }
    void KillTimer(int32_t, ITimerSink*) override {}
    void Register(int32_t, CMsgDelegate*) override { Fail(); }
    void Unregister(int32_t, CMsgDelegate*) override {}
    IResScript* LoadScript(const char*, int32_t, const char*) override
    {
        Fail();
        return nullptr;
    }
    int32_t Send(const uint8_t*, int32_t) override
    {
        Fail();
        return 0;
    }
    [[noreturn]] static void Fail() { throw std::runtime_error("host failure"); }
};

constexpr std::array<uint8_t, 8> kKey{1, 2, 3, 4, 5, 6, 7, 8};

std::vector<uint8_t> ChoicePage()
{
    return TalkMessage(kKey, {{1003, {{13, 5005}}}});
}

class ContainmentTest : public TalkFixture {
protected:
    void SetUp() override
    {
        TalkFixture::SetUp();
        CreateClient();
        Client()->InitTaskObserver();
        TakePrints();
    }
    void Deliver87() { Deliver(87, ChoicePage()); }
    size_t Count(const std::vector<std::string>& lines, const std::string& line)
    {
        return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
    }

    ThrowingServices throwing;
};

TEST_F(ContainmentTest, ThrowingHostServiceCostsOneOperation)
{
    struct Case {
        const char* line;  // the line each failed operation writes
        std::function<void(CGlobalClient&)> breakHost;
        std::function<void()> call;  // the operation, checking its result
    };
    CGlobalClient* c = host.Client();
    const Case cases[] = {
        {"CTaskClient::CreateClientTalkWnd() catch error",
         [this](CGlobalClient& h) { h.m_pResLoader = &throwing; },
         [this] { EXPECT_EQ(Client()->CreateClientTalkWnd(163, nullptr), nullptr); }},
        {"CTaskClient::CreateClientLogWnd() catch error",
         [this](CGlobalClient& h) { h.m_pMsgRegistry = &throwing; },
         [this] { EXPECT_FALSE(Client()->CreateClientLogWnd()); }},
        {"CTaskClient::InitTaskObserver() catch error",
         [this](CGlobalClient& h) { h.m_pMsgRegistry = &throwing; },
         [this] { Client()->InitTaskObserver(); }},
        {"CTaskObserver::OnRefreshTaskList() catch error",
         [this](CGlobalClient& h) { h.m_pUiService = &throwing; }, [this] { Deliver87(); }},
        {"CTaskTalkDlg::SetVisible() catch error",
         [this](CGlobalClient& h) { h.m_pTimerService = &throwing; }, [this] { Deliver87(); }},
        {"CTaskWndCallback::OnEvent() catch error",
         [this](CGlobalClient& h) { h.m_pNetSender = &throwing; },
         [this] {
             Deliver87();
             EXPECT_TRUE(ClickLink(StateView::TalkDlg(*Client()), 13));
         }},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.line);
        const CGlobalClient kept = *c;
        t.breakHost(*c);
        EXPECT_NO_THROW(t.call());
        // Every failed operation says so, and only those lines appear (the
        // talk window is shown and hidden more than once by one message).
        const std::vector<std::string> prints = TakePrints();
        const size_t failures = Count(prints, t.line);
        EXPECT_GE(failures, 1u);
        EXPECT_EQ(std::count_if(prints.begin(), prints.end(),
                                [](const std::string& l) { return l.ends_with(" catch error"); }),
                  static_cast<std::ptrdiff_t>(failures));
        *c = kept;

        // The next conversation is answered as if nothing had happened.
        host.sender.packets.clear();
        Client()->InitTaskObserver();
        Deliver87();
        ASSERT_NE(StateView::TalkDlg(*Client()), nullptr);
        ASSERT_TRUE(ClickLink(StateView::TalkDlg(*Client()), 13));
        ASSERT_EQ(host.sender.packets.size(), 1u);
        EXPECT_EQ(host.sender.packets[0].back(), 0u);
        EXPECT_EQ(host.sender.packets[0][14], 13u);
        TakePrints();
    }
}

}  // namespace
}  // namespace orvane::test
