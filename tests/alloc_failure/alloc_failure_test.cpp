// Every allocation the module makes in a session, made to fail in turn: for
// each session the allocations N are counted, then the session runs N times
// more with the k-th one failing. No run may let an exception out of the
// module, crash, leak (the sanitizer build checks) or leave a timer armed,
// and after each the module must handle the next message as if nothing had
// happened. Allocations fail only while the module is called.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "client/ModuleState.h"
#include "client/StateView.h"
#include "tasks/TaskObserver.h"
#include "testkit/AllocInjector.h"
#include "tests/ui_talk/TalkTestSupport.h"
#include "ui/TaskLinkButton.h"
#include "ui/TaskLogDlg.h"

namespace orvane::test {
namespace {

constexpr std::array<uint8_t, 8> kKey{0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8};
const std::vector<uint8_t> kAnswer13{0x10, 0x00, 0x05, 0x00, 0x57, 0x00, 0xA1, 0xA2, 0xA3,
                                     0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0x0D, 0x00, 0x00, 0x00};
constexpr int32_t kHostileEntries = 4095;
constexpr size_t kHostileText = 32000;

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A text block whose entries all point at one long text.
void PutSharedTextBlock(std::vector<uint8_t>& out, int16_t kind, bool talk)
{
    Put(out, 10, 2);
    Put(out, kHostileEntries * 8, 2);
    Put(out, kHostileEntries, 2);
    Put(out, kHostileText + 1, 2);
    Put(out, static_cast<uint16_t>(kind), 2);
    for (int32_t i = 0; i < kHostileEntries; ++i) {
        Put(out, static_cast<uint32_t>(talk ? 70000 + i : 2000 + i), 4);
        Put(out, 0, talk ? 4 : 2);
        if (!talk)
            Put(out, 0, 2);
    }
    out.insert(out.end(), kHostileText, 'x');
    out.push_back(0);
}

std::vector<uint8_t> TaskLog(const std::vector<int32_t>& ids,
                             const std::vector<std::array<std::string, 2>>& names, int16_t kind)
{
    std::vector<uint8_t> msg;
    Put(msg, static_cast<uint32_t>(ids.size()), 4);
    for (size_t i = 0; i < 10; ++i)
        Put(msg, i < ids.size() ? static_cast<uint32_t>(ids[i]) : 0, 4);
    std::string text;
    std::vector<uint8_t> index;
    for (size_t i = 0; i < names.size(); ++i) {
        Put(index, static_cast<uint32_t>(ids[i]), 4);
        Put(index, static_cast<uint32_t>(text.size()), 2);
        text += names[i][0] + '\0';
        Put(index, static_cast<uint32_t>(text.size()), 2);
        text += names[i][1] + '\0';
    }
    Put(msg, 10, 2);
    Put(msg, static_cast<uint32_t>(index.size()), 2);
    Put(msg, static_cast<uint32_t>(names.size()), 2);
    Put(msg, static_cast<uint32_t>(text.size()), 2);
    Put(msg, static_cast<uint16_t>(kind), 2);
    msg.insert(msg.end(), index.begin(), index.end());
    msg.insert(msg.end(), text.begin(), text.end());
    return msg;
}

std::vector<uint8_t> HostileTaskLog(int16_t kind)
{
    std::vector<uint8_t> msg;
    Put(msg, 2, 4);
    Put(msg, 2000, 4);
    Put(msg, 2001, 4);
    for (int i = 2; i < 10; ++i)
        Put(msg, 0, 4);
    PutSharedTextBlock(msg, kind, false);
    return msg;
}

std::vector<uint8_t> HostileTalk()
{
    std::vector<uint8_t> msg = TalkMessage(kKey, {{1001, {{13, 70000}, {14, 74094}}}});
    PutSharedTextBlock(msg, 1, true);
    return msg;
}

// One choice page: shown at once, answered by its link 13.
std::vector<uint8_t> ChoicePage()
{
    return TalkMessage(kKey, {{1003, {{13, 5005}, {14, 5006}}}});
}

struct Session {
    const char* name;
    std::function<void()> setup;          // not armed
    std::function<void()> run;            // calls into the module through Enter and Event
    std::function<void()> after = [] {};  // not armed: what must hold after any run
    // Runs before the counted one, to fill what lives as long as the toolkit.
    int warmRuns = 1;
};

class AllocFailureTest : public TalkFixture {
protected:
    void SetUp() override
    {
        TalkFixture::SetUp();
        host.hub.SetListener(nullptr);
    }

    // A call into the module: nothing may come out of it.
    template <class F>
    void Enter(F&& call)
    {
        try {
            inject::ArmedScope armed;
            call();
        } catch (...) {
            ADD_FAILURE() << "an exception left the module at allocation " << m_failAt;
        }
    }
    // A player's input through the toolkit: the toolkit's own routing may
    // fail before it reaches the module, which the game would see.
    template <class F>
    void Event(F&& input)
    {
        try {
            inject::ArmedScope armed;
            input();
        } catch (const std::bad_alloc&) {
            ++toolkitFailures;
        }
    }
    void Deliver87(const std::vector<uint8_t>& bytes) { Deliver(&StateView::TalkSink, bytes); }
    void Deliver91(const std::vector<uint8_t>& bytes) { Deliver(&StateView::LogSink, bytes); }
    // Through the observer's delegate, as the host's registry calls it.
    void Deliver(CMsgDelegate& (*sink)(CTaskObserver&), const std::vector<uint8_t>& bytes)
    {
        if (CTaskObserver* o = Client() != nullptr ? StateView::Observer(*Client()) : nullptr)
            Enter([&] { sink(*o).Invoke(bytes.data(), static_cast<uint32_t>(bytes.size()), 0); });
    }
    CTaskTalkDlg* TalkDlg() { return Client() ? StateView::TalkDlg(*Client()) : nullptr; }
    CTaskLogDlg* LogDlg() { return Client() ? StateView::LogDlg(*Client()) : nullptr; }

    void CreateReady()
    {
        ASSERT_TRUE(helper.Create(host.Client()));
        Client()->InitTaskObserver();
    }

    // After any run: the client (made again if it failed) answers a fresh
    // conversation with the right packet, and the task log takes a list.
    void ExpectNextMessagesHandled()
    {
        inject::Reset(0);
        if (helper.GetITaskClient() == nullptr) {
            ASSERT_TRUE(helper.Create(host.Client()));
        }
        // A registration the host failed to keep is made again here.
        Client()->InitTaskObserver();
        host.sender.packets.clear();
        host.registry.Deliver(87, ChoicePage().data(), static_cast<uint32_t>(ChoicePage().size()));
        CTaskTalkDlg* dlg = TalkDlg();
        ASSERT_NE(dlg, nullptr);
        ASSERT_TRUE(dlg->IsVisible());
        ASSERT_TRUE(ClickLink(dlg, 13)) << "at allocation " << m_failAt;
        EXPECT_EQ(host.sender.packets, std::vector<std::vector<uint8_t>>{kAnswer13})
            << "at allocation " << m_failAt;
        const std::vector<uint8_t> log = TaskLog({1001}, {{"Alpha", "One#Two"}}, 2);
        host.registry.Deliver(91, log.data(), static_cast<uint32_t>(log.size()));
        EXPECT_STREQ(Client()->GetTaskName(1001), "Alpha") << "at allocation " << m_failAt;
    }

    // Ends the run: client closed, windows ended; nothing may stay armed.
    void EndRun()
    {
        ResetModuleState();
        EXPECT_EQ(host.timers.ArmedCount(), 0u) << "at allocation " << m_failAt;
        EXPECT_EQ(host.registry.CountFor(87) + host.registry.CountFor(91), 0u);
        // The host numbers timer targets by address; forgetting them makes
        // every run allocate the same.
        host.timers.ForgetIdleTargets();
        host.ui.Answer(-1);
        host.output.lines.clear();
        host.sender.packets.clear();
        TakeDebugWrites();
    }

    // Counts the session's allocations, then fails each in turn; returns N.
    uint64_t FailEachAllocation(const Session& s)
    {
        m_failAt = 0;
        uint64_t n = 0;
        for (int warm = 0; warm <= s.warmRuns; ++warm) {
            s.setup();
            inject::Reset(0);
            s.run();
            n = inject::Count();
            s.after();
            ExpectNextMessagesHandled();
            EndRun();
        }
        uint64_t runs = 0;
        for (uint64_t k = 1; k <= n; ++k) {
            if (HasFailure())
                break;
            m_failAt = k;
            ++runs;
            s.setup();
            inject::Reset(k);
            s.run();
            EXPECT_TRUE(inject::Failed()) << s.name << ": allocation " << k << " never came";
            s.after();
            ExpectNextMessagesHandled();
            EndRun();
        }
        std::printf("%s: N = %llu, runs = %llu, toolkit failures seen by the game: %d\n", s.name,
                    static_cast<unsigned long long>(n), static_cast<unsigned long long>(runs),
                    toolkitFailures);
        return n;
    }

    uint64_t m_failAt = 0;
    int toolkitFailures = 0;
};

TEST_F(AllocFailureTest, CreateAndRelease)
{
    const Session s{"create and release", [] {},
                    [this] {
                        Enter([&] { helper.Create(host.Client()); });
                        if (Client() != nullptr)
                            Enter([&] { Client()->InitTaskObserver(); });
                        Enter([&] { helper.Close(); });
                    }};
    EXPECT_GT(FailEachAllocation(s), 0u);
}

TEST_F(AllocFailureTest, WholeConversation)
{
    const std::vector<uint8_t> talk = TalkMessage(kKey, {{1001, {{0, 5001}}},
                                                         {1002, {{0, 5004}}},
                                                         {1003, {{11, 5005}, {12, 5006}}},
                                                         {1004, {{13, 5008}, {14, 5003}}}});
    const Session s{"conversation", [this] { CreateReady(); },
                    [&, this] {
                        Deliver87(talk);
                        for (int step = 0; step < 2; ++step) {
                            if (CTaskTalkDlg* dlg = TalkDlg())
                                Event([&] { ClickWindow(StateView::CloseWnd(*dlg)); });
                            Enter([&] { host.timers.Advance(500); });
                        }
                        if (CTaskTalkDlg* dlg = TalkDlg())
                            Event([&] { ClickLink(dlg, 103); });
                        Enter([&] { host.timers.Advance(500); });
                        if (CTaskTalkDlg* dlg = TalkDlg())
                            Event([&] { ClickLink(dlg, 14); });
                        Enter([&] { host.timers.Advance(3000); });
                    }};
    EXPECT_GT(FailEachAllocation(s), 0u);
}

TEST_F(AllocFailureTest, TaskLogWithDeletesAndNote)
{
    const std::vector<uint8_t> log =
        TaskLog({1001, 1002, 1003, 1004, 1005, 1006},
                {{"A", "a#b"}, {"B", "b"}, {"C", "c"}, {"D", "d"}, {"E", "e"}, {"F", "f"}}, 2);
    const std::filesystem::path note = work.Path() / "TaskLog.txt";
    const Session s{"task log",
                    [&, this] {
                        std::ofstream(note, std::ios::binary | std::ios::trunc) << "old\r\nnote";
                        CreateReady();
                    },
                    [&, this] {
                        Enter([&] { Client()->CreateClientLogWnd(); });
                        Deliver91(log);
                        CTaskLogDlg* dlg = LogDlg();
                        if (dlg == nullptr)
                            return;
                        for (CTaskLinkButton* button : StateView::TaskButtons(*dlg)) {
                            Event([&] { ClickWindow(button); });
                            break;
                        }
                        if (XWindow* page2 = StateView::Page2Btn(*dlg))
                            Event([&] { ClickWindow(page2); });
                        for (int answer : {1, 0}) {
                            if (XWindow* del = StateView::DeleteBtn(*dlg))
                                Event([&] { ClickWindow(del); });
                            Enter([&] { host.ui.Answer(answer); });
                        }
                        if (XWindow* note = StateView::NoteWnd(*dlg))
                            note->SetWindowTextA("new\nnote");
                        Event([&] { XDesktop::GetInstance()->DestroyWindow(dlg); });
                    },
                    [&, this] {
                        // The note is the old one or the new one, never lost or cut.
                        std::ifstream in(note, std::ios::binary);
                        const std::string kept((std::istreambuf_iterator<char>(in)),
                                               std::istreambuf_iterator<char>());
                        EXPECT_TRUE(kept == "old\r\nnote" || kept == "new\r\nnote")
                            << "at allocation " << m_failAt << ": \"" << kept << "\"";
                    }};
    EXPECT_GT(FailEachAllocation(s), 0u);
}

// Texts of a hostile message's records: each is whole or absent.
void ExpectWholeOrAbsent(const char* text)
{
    if (text != nullptr) {
        EXPECT_EQ(std::strlen(text), kHostileText);
    }
}

// The 64 KB messages: 4,095 records all pointing at one 32,000-byte text.
class HostileMessageTest : public AllocFailureTest, public ::testing::WithParamInterface<int> {};

TEST_P(HostileMessageTest, EveryRecordWholeOrAbsent)
{
    const int which = GetParam();
    const std::vector<uint8_t> message = which == 0   ? HostileTaskLog(2)
                                         : which == 1 ? HostileTaskLog(3)
                                                      : HostileTalk();
    const Session s{
        which == 0   ? "message 91 kind 2"
        : which == 1 ? "message 91 kind 3"
                     : "message 87",
        [this] {
            // Both windows open beforehand: the runs differ only in the message.
            CreateReady();
            Client()->CreateClientLogWnd();
            Client()->CreateClientTalkWnd(CTaskClient::kTalkWndID, nullptr);
        },
        [&, this] { which == 2 ? Deliver87(message) : Deliver91(message); },
        [this] {
            for (int32_t id : {2000, 2000 + kHostileEntries / 2, 2000 + kHostileEntries - 1})
                ExpectWholeOrAbsent(Client()->GetTaskName(id));
            for (int32_t id : {70000, 70000 + kHostileEntries - 1})
                ExpectWholeOrAbsent(Client()->GetTalkText(id));
        },
        // Message 87 also lays out the talk window's lines, whose
        // first layout fills what the toolkit keeps.
        which == 2 ? 1 : 0};
    const uint64_t n = FailEachAllocation(s);
    EXPECT_GT(n, 0u);
    // What a 64 KB message costs must not follow its entry count or the rows
    // its long text wraps to (a string per laid-out row would show here).
    EXPECT_LT(n, 200u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileMessageTest, ::testing::Values(0, 1, 2));

TEST_F(AllocFailureTest, ReleaseWithOpenWindowsAndArmedTimers)
{
    RecordingCallback hostCallback;
    const std::vector<uint8_t> talk = TalkMessage(kKey, {{1001, {{0, 5001}}}, {1002, {{0, 5004}}}});
    const std::vector<uint8_t> log = TaskLog({1001, 1002}, {{"A", "a"}, {"B", "b"}}, 2);
    const Session s{"release with open windows",
                    [&, this] {
                        CreateReady();
                        Client()->CreateClientTalkWnd(CTaskClient::kMenuWndID, &hostCallback);
                        Client()->CreateClientTalkWnd(CTaskClient::kMenuWnd2ID, &hostCallback);
                        Client()->CreateClientLogWnd();
                        host.registry.Deliver(87, talk.data(), static_cast<uint32_t>(talk.size()));
                        host.registry.Deliver(91, log.data(), static_cast<uint32_t>(log.size()));
                        // The step timer and the talk window's guard are armed.
                        ClickWindow(StateView::CloseWnd(*TalkDlg()));
                        TalkDlg()->SetVisible(TRUE);
                    },
                    [this] {
                        CTaskTalkDlg* dlg = TalkDlg();
                        Enter([&] { helper.Close(); });
                        // The windows outlive the client: input and timers reach
                        // nothing that is gone.
                        Event([&] { XDesktop::GetInstance()->AccelKey(dlg); });
                        Event([&] { ClickWindow(StateView::PanelBtn1(*dlg)); });
                        Enter([&] { host.timers.Advance(2000); });
                        Event([&] { XDesktop::GetInstance()->DestroyWindow(dlg); });
                    }};
    EXPECT_GT(FailEachAllocation(s), 0u);
}

}  // namespace
}  // namespace orvane::test
