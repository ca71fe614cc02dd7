// Shutting down in each order a host may choose once Close comes before its
// services go: nothing reaches a service after Close (the sanitizer build
// catches a call into a freed one), and the player's note is kept.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "client/ModuleState.h"
#include "client/StateView.h"
#include "platform/DebugChannel.h"
#include "tests/ui_log/TaskLogTesting.h"
#include "tests/ui_talk/TalkTestSupport.h"

namespace orvane::test {
namespace {

enum class Step { kClose, kDeleteHost, kDestroyWindows };

struct Order {
    const char* name;
    std::array<Step, 3> steps;
};

// The registry holds the module's delegates until Close takes them back, so
// every order a host may use has Close before its services go.
const Order kOrders[] = {
    {"close, host, windows", {Step::kClose, Step::kDeleteHost, Step::kDestroyWindows}},
    {"close, windows, host", {Step::kClose, Step::kDestroyWindows, Step::kDeleteHost}},
    {"windows, close, host", {Step::kDestroyWindows, Step::kClose, Step::kDeleteHost}},
};

const char kNote[] = "kept\nfor next time";

TEST(ShutdownTest, NoServiceIsReachedAfterCloseInAnyOrder)
{
    for (const Order& order : kOrders) {
        SCOPED_TRACE(order.name);
        ResetModuleState();
        platform::StartDebugCapture();
        TempFolder work;
        CopySampleGame(work.Path());
        auto host = std::make_unique<host::ReferenceHost>();
        ASSERT_TRUE(host->SetWorkDir(work.String()));
        CImageLoader::GetInstance()->SetBaseFolder(work.String().c_str());
        host->ui.SetClientSource([] { return CTaskClientHelper::m_pTaskClient; });
        bool closed = false;
        int callsAfterClose = 0;
        host->hub.SetListener([&](const host::HostEvent&) { callsAfterClose += closed ? 1 : 0; });

        // The task log open with a note, a narration page shown with its
        // hide guard armed and the step timer to the next page armed.
        CTaskClientHelper helper;
        ASSERT_TRUE(helper.Create(host->Client()));
        auto* client = static_cast<CTaskClient*>(helper.GetITaskClient());
        client->InitTaskObserver();
        ASSERT_TRUE(client->CreateClientLogWnd());
        StateView::NoteWnd(*StateView::LogDlg(*client))->SetWindowTextA(kNote);
        const std::vector<uint8_t> talk =
            TalkMessage({1, 2, 3, 4, 5, 6, 7, 8}, {{1001, {{0, 5001}}}, {1002, {{0, 5004}}}});
        host->registry.Deliver(87, talk.data(), static_cast<uint32_t>(talk.size()));
        CTaskTalkDlg* dlg = StateView::TalkDlg(*client);
        ASSERT_NE(dlg, nullptr);
        ClickWindow(StateView::CloseWnd(*dlg));
        dlg->SetVisible(TRUE);
        ASSERT_EQ(host->timers.ArmedCount(), 2u);

        for (const Step step : order.steps) {
            switch (step) {
                case Step::kClose:
                    helper.Close();
                    closed = true;
                    break;
                case Step::kDeleteHost:
                    host.reset();
                    break;
                case Step::kDestroyWindows:
                    XDesktop::Reset();
                    break;
            }
        }
        EXPECT_EQ(callsAfterClose, 0);
        EXPECT_EQ(g_pGlobalClient, nullptr);
        EXPECT_EQ(ReadBytes(work.Path() / "TaskLog.txt"), "kept\r\nfor next time");
        EXPECT_FALSE(std::filesystem::exists(work.Path() / "TaskLog.tmp"));
        platform::StopDebugCapture();
    }
    ResetModuleState();
}

}  // namespace
}  // namespace orvane::test
