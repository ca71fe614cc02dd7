#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "host/ReferenceHost.h"
#include "tests/host/EventRecorder.h"

namespace orvane::host {
namespace {

using testing::EventRecorder;
using Call = std::tuple<int32_t, int32_t, int32_t, int32_t>;

struct Listener : IWndCallback {
    bool OnEvent(int32_t code, int32_t type, int32_t value, int32_t extra) override
    {
        calls.emplace_back(code, type, value, extra);
        if (onEvent)
            onEvent();
        return true;
    }
    std::vector<Call> calls;
    std::function<void()> onEvent;
};

// Records CreateClientTalkWnd; every other operation is unused here.
struct FakeTaskClient : ITaskClient {
    const char* GetTaskName(int32_t) override { return nullptr; }
    const char* GetTaskDesc(int32_t) override { return nullptr; }
    const char* GetTalkText(int32_t) override { return nullptr; }
    const char* ReservedQuery(int32_t) override { return nullptr; }
    bool AddTalkLine(const char*, int32_t) override { return false; }
    void SetTalkWndPos(RECT&) override {}
    void GetTalkWndRect(RECT&) override {}
    void MoveTalkWnd(int32_t, int32_t) override {}
    XWindow* CreateClientTalkWnd(int32_t id, IWndCallback* callback) override
    {
        opened.emplace_back(id, callback);
        return nullptr;
    }
    bool UpdateTaskList(TaskListRecord*) override { return false; }
    bool CreateClientLogWnd() override { return false; }
    void SetLogWndPos(RECT&) override {}
    void GetLogWndRect(RECT&) override {}
    void MoveLogWnd(int32_t, int32_t) override {}
    void HideLogWnd() override {}
    void InitTaskObserver() override {}
    void Release() override {}
    std::vector<std::pair<int32_t, IWndCallback*>> opened;
};

class UiServiceTest : public ::testing::Test {
protected:
    EventHub hub;
    EventRecorder recorder{hub};
    UiService ui{hub};
    Listener listener;
};

TEST_F(UiServiceTest, BoxStaysOpenUntilAnsweredAndPassesTheAnswerOn)
{
    for (const int32_t answer : {1, 0, 5, -1}) {
        SCOPED_TRACE(answer);
        listener.calls.clear();
        ui.Confirm("\xC8\xB7\xC8\xCF" /* 确认 */, &listener, 0);
        EXPECT_TRUE(ui.HasOpenBox());
        EXPECT_EQ(ui.OpenBoxText(), "\xC8\xB7\xC8\xCF");
        EXPECT_TRUE(listener.calls.empty());
        EXPECT_TRUE(ui.Answer(answer));
        EXPECT_FALSE(ui.HasOpenBox());
        EXPECT_EQ(listener.calls, (std::vector<Call>{{0, answer, 0, 0}}));
        EXPECT_FALSE(ui.Answer(answer));
    }
    const auto boxes = recorder.Of(HostEvent::Kind::ConfirmBox);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, "\xC8\xB7\xC8\xCF");
}

TEST_F(UiServiceTest, NewBoxReplacesTheOpenOne)
{
    Listener second;
    ui.Confirm("a", &listener, 0);
    ui.Confirm("b", &second, 0);
    EXPECT_EQ(ui.OpenBoxText(), "b");
    EXPECT_TRUE(ui.Answer(1));
    EXPECT_TRUE(listener.calls.empty());
    EXPECT_EQ(second.calls.size(), 1u);
}

TEST_F(UiServiceTest, ListenerMayOpenTheNextBoxFromItsAnswer)
{
    listener.onEvent = [&] { ui.Confirm("next", &listener, 0); };
    ui.Confirm("first", &listener, 0);
    EXPECT_TRUE(ui.Answer(0));
    EXPECT_TRUE(ui.HasOpenBox());
    EXPECT_EQ(ui.OpenBoxText(), "next");
}

TEST_F(UiServiceTest, OpenClientWndAsksTheCurrentTaskClient)
{
    FakeTaskClient client;
    ITaskClient* current = nullptr;
    ui.SetClientSource([&] { return current; });

    ui.OpenClientWnd(163, &listener);  // no client yet: reported only
    current = &client;
    ui.OpenClientWnd(163, &listener);
    EXPECT_EQ(client.opened, (std::vector<std::pair<int32_t, IWndCallback*>>{{163, &listener}}));
    const auto opens = recorder.Of(HostEvent::Kind::OpenWindow);
    ASSERT_EQ(opens.size(), 2u);
    EXPECT_EQ(opens[1].windowId, 163);

    UiService noSource(hub);
    noSource.OpenClientWnd(163, nullptr);
    EXPECT_EQ(recorder.Of(HostEvent::Kind::OpenWindow).size(), 3u);
}

}  // namespace
}  // namespace orvane::host
