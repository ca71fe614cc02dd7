// Drives the real module library as a host does: through the exported
// CTaskClientHelper and the ITaskClient slots, each call checked by an effect
// that only the operation of that slot has, so a reordered slot fails here.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "client/TaskClientHelper.h"
#include "host/ReferenceHost.h"
#include "panelkit/Views.h"
#include "platform/DebugChannel.h"
#include "ui/Panelkit.h"

namespace orvane::abi_test {

#if defined(_WIN32)
static_assert(sizeof(void*) == 4, "the module is a 32-bit Windows DLL");
#endif

// The task client as a host built on its own sees it: the 17 slots in their
// fixed order, declared here apart from the module's ITaskClient so that a
// slot moved in the module calls the wrong operation here. It is not in an
// anonymous namespace: the compiler would then know that no class in the
// program derives from it and treat calls through it as unreachable.
class HostTaskClient {
public:
    virtual const char* GetTaskName(int32_t id) = 0;
    virtual const char* GetTaskDesc(int32_t id) = 0;
    virtual const char* GetTalkText(int32_t id) = 0;
    virtual const char* ReservedQuery(int32_t value) = 0;
    virtual bool AddTalkLine(const char* text, int32_t link) = 0;
    virtual void SetTalkWndPos(RECT& rc) = 0;
    virtual void GetTalkWndRect(RECT& rc) = 0;
    virtual void MoveTalkWnd(int32_t dx, int32_t dy) = 0;
    virtual XWindow* CreateClientTalkWnd(int32_t id, IWndCallback* callback) = 0;
    virtual bool UpdateTaskList(TaskListRecord* list) = 0;
    virtual bool CreateClientLogWnd() = 0;
    virtual void SetLogWndPos(RECT& rc) = 0;
    virtual void GetLogWndRect(RECT& rc) = 0;
    virtual void MoveLogWnd(int32_t dx, int32_t dy) = 0;
    virtual void HideLogWnd() = 0;
    virtual void InitTaskObserver() = 0;
    virtual void Release() = 0;

protected:
    ~HostTaskClient() = default;
};

}  // namespace orvane::abi_test

namespace {

namespace fs = std::filesystem;
using orvane::abi_test::HostTaskClient;
using orvane::host::HostEvent;

// Texts of the test's own task script; each answer names its slot.
const char kTaskScript[] = R"({"password": "qmtv", "objects": [
  {"id": 7001, "name": "Name 7001", "attrs": {"desc": "Desc 7001"}},
  {"id": 7002, "attrs": {"out": "Talk 7002"}}
]})";

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT Offset(RECT rc, int32_t dx, int32_t dy)
{
    rc.left += dx;
    rc.right += dx;
    rc.top += dy;
    rc.bottom += dy;
    return rc;
}

XWindow* TopLevel(int32_t id)
{
    std::vector<XWindow*> found = panelkit::TopLevelWindows(id);
    return found.empty() ? nullptr : found.back();
}

RECT RectOf(XWindow* wnd)
{
    RECT rc{};
    wnd->GetWindowRect(rc);
    return rc;
}

// Every text the window and its visible children draw.
std::vector<std::string> DrawnTexts(XWindow* wnd)
{
    XRecordingCanvas canvas;
    wnd->Paint(&canvas);
    std::vector<std::string> texts;
    for (const panelkit::DrawnItem& item : panelkit::DrawnItems(canvas))
        if (item.isText)
            texts.push_back(item.text);
    return texts;
}

bool Draws(XWindow* wnd, const std::string& text)
{
    for (const std::string& drawn : DrawnTexts(wnd))
        if (drawn.find(text) != std::string::npos)
            return true;
    return false;
}

// (markup) of every line in the talk controls under wnd.
std::vector<std::string> TalkMarkup(XWindow* wnd)
{
    std::vector<std::string> lines;
    if (auto* talk = dynamic_cast<XTalk*>(wnd)) {
        XItemContainer* items = talk->GetItemContainer();
        for (int32_t i = 0; items != nullptr && i < items->GetLineCount(); ++i)
            lines.push_back(panelkit::LineOf(items, i)->markup);
    }
    for (int32_t i = 0; i < wnd->GetChildCount(); ++i) {
        std::vector<std::string> sub = TalkMarkup(wnd->GetChild(i));
        lines.insert(lines.end(), sub.begin(), sub.end());
    }
    return lines;
}

class TaskClientAbi : public ::testing::Test {
protected:
    // The module keeps the first host output it is given for its whole life,
    // so one host serves every test, as in a game client.
    static void SetUpTestSuite()
    {
        // Before any host: what the module does with no client on its
        // debug-output channel.
        orvane::platform::StartDebugCapture();
        orvane::platform::TakeDebugWrites();
        CTaskClientHelper helper;
        s_nullCreate = helper.Create(nullptr);
        s_nullCreateWrites = orvane::platform::TakeDebugWrites();

        s_work = fs::temp_directory_path() /
                 ("orvane-abi-" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::remove_all(s_work);
        fs::create_directories(s_work / "scp");
        const fs::path sample(ORVANE_SAMPLE_DIR);
        fs::copy(sample / "scp" / "Windowtask.res", s_work / "scp" / "Windowtask.res");
        if (fs::exists(sample / "task"))
            fs::copy(sample / "task", s_work / "task", fs::copy_options::recursive);
        std::ofstream(s_work / "scp" / "taskClient.res", std::ios::binary) << kTaskScript;

        s_host = new orvane::host::ReferenceHost();
        ASSERT_TRUE(s_host->SetWorkDir(s_work.string()));
        s_host->hub.SetListener([](const HostEvent& ev) { s_events.push_back(ev); });
        s_host->ui.SetClientSource([] { return CTaskClientHelper::m_pTaskClient; });
        CImageLoader::GetInstance()->SetBaseFolder(s_work.string().c_str());
    }

    static void TearDownTestSuite()
    {
        CTaskClientHelper().Close();
        XDesktop::Reset();
        orvane::platform::StopDebugCapture();
        std::error_code ec;
        fs::remove_all(s_work, ec);
        // s_host stays: the module's log sink keeps pointing at its output.
    }

    void TearDown() override
    {
        CTaskClientHelper().Close();
        XDesktop::Reset();
        s_events.clear();
    }

    // The client as the host's own declaration of the slots sees it.
    HostTaskClient* CreateClient()
    {
        EXPECT_TRUE(helper.Create(s_host->Client()));
        return reinterpret_cast<HostTaskClient*>(helper.GetITaskClient());
    }

    // Host events since the last call.
    static std::vector<HostEvent> TakeEvents()
    {
        std::vector<HostEvent> out;
        out.swap(s_events);
        return out;
    }

    static bool Printed(const std::vector<HostEvent>& events, const std::string& text)
    {
        for (const HostEvent& ev : events)
            if (ev.kind == HostEvent::Kind::Print && ev.text == text)
                return true;
        return false;
    }

    CTaskClientHelper helper;

    static inline bool s_nullCreate = true;
    static inline std::vector<std::string> s_nullCreateWrites;
    static inline fs::path s_work;
    static inline orvane::host::ReferenceHost* s_host = nullptr;
    static inline std::vector<HostEvent> s_events;
};

TEST_F(TaskClientAbi, NullHostIsRefusedOnTheDebugChannel)
{
    EXPECT_FALSE(s_nullCreate);
    EXPECT_EQ(CTaskClientHelper::m_hDll, nullptr);
    const std::vector<std::string> expected = {"CreateTaskClient   0 !", "\r\n",
                                               "CTaskClient  : Initialize .........OK!", "\r\n",
                                               "CreateClientThingFactory() catch error\r\n"};
    EXPECT_EQ(s_nullCreateWrites, expected);
}

TEST_F(TaskClientAbi, HelperObjectsShareTheOneClient)
{
    EXPECT_EQ(helper.GetITaskClient(), nullptr);
    EXPECT_TRUE(helper.Create(s_host->Client()));
    ITaskClient* client = helper.GetITaskClient();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(CTaskClientHelper::m_pTaskClient, client);

    CTaskClientHelper copy(helper);
    CTaskClientHelper assigned;
    assigned = copy;
    auto* heap = new CTaskClientHelper();
    delete heap;  // the virtual destructor leaves the client alone
    EXPECT_EQ(copy.GetITaskClient(), client);
    EXPECT_EQ(assigned.GetITaskClient(), client);
    EXPECT_TRUE(assigned.Create(s_host->Client()));
    EXPECT_EQ(assigned.GetITaskClient(), client);

    copy.Close();
    EXPECT_EQ(helper.GetITaskClient(), nullptr);
}

TEST_F(TaskClientAbi, WindowSlotsDoNothingBeforeTheirWindows)
{
    HostTaskClient* client = CreateClient();
    ASSERT_NE(client, nullptr);
    const RECT sentinel{-5, -6, -7, -8};
    RECT rc = sentinel;
    client->GetTalkWndRect(rc);
    EXPECT_TRUE(SameRect(rc, sentinel));
    client->GetLogWndRect(rc);
    EXPECT_TRUE(SameRect(rc, sentinel));
    client->SetTalkWndPos(rc);
    client->SetLogWndPos(rc);
    client->MoveTalkWnd(1, 1);
    client->MoveLogWnd(1, 1);
    client->HideLogWnd();
    EXPECT_TRUE(SameRect(rc, sentinel));
    EXPECT_TRUE(client->AddTalkLine("nowhere", 3));
    TaskListRecord list{1, {7001}};
    EXPECT_TRUE(client->UpdateTaskList(&list));
    EXPECT_EQ(XDesktop::GetInstance()->GetWindowCount(), 0);
}

TEST_F(TaskClientAbi, EverySlotRunsItsOwnOperation)
{
    HostTaskClient* client = CreateClient();
    ASSERT_NE(client, nullptr);

    // Slots 0 to 3: the three lookups answer from the task script with
    // different texts; the reserved query answers nothing for the same id.
    ASSERT_NE(client->GetTaskName(7001), nullptr);
    EXPECT_STREQ(client->GetTaskName(7001), "Name 7001");
    ASSERT_NE(client->GetTaskDesc(7001), nullptr);
    EXPECT_STREQ(client->GetTaskDesc(7001), "Desc 7001");
    ASSERT_NE(client->GetTalkText(7002), nullptr);
    EXPECT_STREQ(client->GetTalkText(7002), "Talk 7002");
    EXPECT_EQ(client->ReservedQuery(7001), nullptr);
    EXPECT_EQ(client->ReservedQuery(7002), nullptr);

    // Slot 8: only the known window ids make windows.
    EXPECT_EQ(client->CreateClientTalkWnd(170, nullptr), nullptr);
    XWindow* talk = client->CreateClientTalkWnd(163, nullptr);
    ASSERT_NE(talk, nullptr);
    EXPECT_EQ(talk, TopLevel(163));
    EXPECT_EQ(client->CreateClientTalkWnd(163, nullptr), nullptr);
    EXPECT_EQ(TopLevel(172), nullptr);

    // Slot 4: lines reach the talk window's text control.
    EXPECT_TRUE(client->AddTalkLine("plain line", 0));
    EXPECT_TRUE(client->AddTalkLine("link line", 9));
    std::vector<std::string> lines = TalkMarkup(talk);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "plain line");
    EXPECT_NE(lines[1].find("url=\"9\""), std::string::npos);
    EXPECT_NE(lines[1].find("link line"), std::string::npos);

    // Slots 5 to 7 act on the talk window and hand back its rectangle.
    RECT talkRect{100, 110, 400, 300};
    const RECT talkRectAsGiven = talkRect;
    client->SetTalkWndPos(talkRect);
    EXPECT_TRUE(SameRect(talkRect, talkRectAsGiven));
    EXPECT_TRUE(SameRect(RectOf(talk), talkRectAsGiven));
    RECT got{};
    client->GetTalkWndRect(got);
    EXPECT_TRUE(SameRect(got, talkRectAsGiven));
    client->MoveTalkWnd(5, 7);
    EXPECT_TRUE(SameRect(RectOf(talk), Offset(talkRectAsGiven, 5, 7)));

    // Slot 10 makes the task log dialog; creating it registers the observer.
    TakeEvents();
    EXPECT_TRUE(client->CreateClientLogWnd());
    XWindow* log = TopLevel(172);
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->IsVisible());
    EXPECT_TRUE(Printed(TakeEvents(), "CTaskClient::CreateClientLogWnd()  start  "));

    // Slot 9: the list reaches the dialog, which shows the task's name.
    EXPECT_FALSE(Draws(log, "Name 7001"));
    TaskListRecord list{1, {7001}};
    EXPECT_TRUE(client->UpdateTaskList(&list));
    EXPECT_TRUE(Draws(log, "Name 7001"));

    // Slots 11 to 13 act on the log dialog and leave the talk window alone.
    const RECT talkNow = RectOf(talk);
    RECT logRect{20, 30, 540, 330};
    const RECT logRectAsGiven = logRect;
    client->SetLogWndPos(logRect);
    EXPECT_TRUE(SameRect(logRect, logRectAsGiven));
    EXPECT_TRUE(SameRect(RectOf(log), logRectAsGiven));
    client->GetLogWndRect(got);
    EXPECT_TRUE(SameRect(got, logRectAsGiven));
    client->MoveLogWnd(-3, 4);
    EXPECT_TRUE(SameRect(RectOf(log), Offset(logRectAsGiven, -3, 4)));
    EXPECT_TRUE(SameRect(RectOf(talk), talkNow));

    // Slot 14 hides the log dialog only.
    const BOOL talkVisible = talk->IsVisible();
    client->HideLogWnd();
    EXPECT_FALSE(log->IsVisible());
    EXPECT_EQ(talk->IsVisible(), talkVisible);

    // Slot 15: the observer is registered again for both messages.
    TakeEvents();
    client->InitTaskObserver();
    std::vector<HostEvent> events = TakeEvents();
    EXPECT_TRUE(Printed(events, "CTaskClient::InitTaskObserver()  start  "));
    std::vector<int32_t> registered;
    for (const HostEvent& ev : events)
        if (ev.kind == HostEvent::Kind::Register)
            registered.push_back(ev.msgId);
    EXPECT_EQ(registered, (std::vector<int32_t>{87, 91}));
    EXPECT_EQ(s_host->registry.CountFor(87), 1u);
    EXPECT_EQ(s_host->registry.CountFor(91), 1u);

    // Slot 16 ends the client; the helper's exported pointer is the host's
    // to clear when it releases through the interface itself.
    client->Release();
    events = TakeEvents();
    EXPECT_TRUE(Printed(events, "CTaskClient::Release   0 !"));
    EXPECT_TRUE(Printed(events, " CTaskClient  :: Release() "));
    EXPECT_EQ(s_host->registry.CountFor(87), 0u);
    EXPECT_EQ(s_host->registry.CountFor(91), 0u);
    CTaskClientHelper::m_pTaskClient = nullptr;
}

}  // namespace
