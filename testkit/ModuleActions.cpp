#include "testkit/ModuleActions.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <new>
#include <optional>

#include "client/DebugLog.h"
#include "client/ModuleState.h"
#include "client/TaskClient.h"
#include "client/TaskClientHelper.h"
#include "host/ReferenceHost.h"
#include "net/FunctionTasks.h"
#include "panelkit/ImageCache.h"
#include "panelkit/Views.h"
#include "platform/DebugChannel.h"
#include "testkit/ClientCalls.h"
#include "testkit/ModuleTargets.h"
#include "tools/hostlib/Messages.h"
#include "ui/Panelkit.h"
#include "ui/TaskLogDlg.h"

namespace orvane::fuzz {

namespace {

// A host-side window callback, as a game client hands to a selection menu.
class HostCallback : public IWndCallback {
public:
    bool OnEvent(int32_t, int32_t, int32_t, int32_t) override
    {
        ++events;
        return (events & 1) != 0;
    }
    int events = 0;
};

constexpr int32_t kModuleWindows[] = {CTaskClient::kTalkWndID, CTaskClient::kLogWndID,
                                      CTaskClient::kMenuWndID, CTaskClient::kMenuWnd2ID};

void Deliver(host::ReferenceHost& host, int32_t msgId, ActionReader& in)
{
    // Each message in a buffer of exactly its length, so that a read past its
    // end is caught by the sanitizers.
    const std::vector<uint8_t> bytes = in.Bytes(in.U16() % 4096);
    std::unique_ptr<uint8_t[]> exact(new uint8_t[std::max<size_t>(bytes.size(), 1)]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    host.registry.Deliver(msgId, exact.get(), static_cast<uint32_t>(bytes.size()));
}

// Every session writes and removes TaskLog.txt: a folder in memory (where
// there is one) spares that the disk and its journal.
std::filesystem::path MakeWorkFolder(const std::string& name)
{
    std::error_code ec;
    const std::filesystem::path shm("/dev/shm");
    if (std::filesystem::is_directory(shm, ec) &&
        std::filesystem::create_directories(shm / name, ec))
        return shm / name;
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(path);
    return path;
}

constexpr int kMaxRestarts = 4;

// What a session plays on; the restarts so far.
struct Stage {
    host::ReferenceHost& host;
    CTaskClientHelper& helper;
    HostCallback& callback;
    SessionStats& stats;
    int restarts = 0;
};

void StartClient(Stage& s)
{
    s.helper.Create(s.host.Client());
    if (ITaskClient* client = s.helper.GetITaskClient())
        client->InitTaskObserver();
}

void RestartClient(Stage& s)
{
    // Each one costs a whole client; a few reach all there is.
    if (++s.restarts > kMaxRestarts)
        return;
    s.helper.Close();
    StartClient(s);
}

// A top-level window picked by the next operand, or null when there is none.
XWindow* PickTopLevel(ActionReader& in)
{
    const uint8_t n = in.U8();
    const std::vector<XWindow*> windows = TopLevelWindows();
    return windows.empty() ? nullptr : windows[n % windows.size()];
}

void ClickLink(ActionReader& in, SessionStats& stats)
{
    if (const std::optional<POINT> pt = LinkPoint(in.U8())) {
        XDesktop::GetInstance()->Click(*pt);
        ++stats.clicks;
    }
}

void ClickLog(ActionReader& in, SessionStats& stats)
{
    const uint8_t n = in.U8();
    CTaskLogDlg* dlg = LogDialog();
    XWindow* control = dlg ? LogControl(dlg, n) : nullptr;
    if (control != nullptr && control->IsVisible()) {
        XDesktop::GetInstance()->Click(Centre(control));
        ++stats.clicks;
    }
}

void MouseAt(uint8_t action, ActionReader& in)
{
    const POINT pt{in.U16() % 1024, in.U16() % 768};
    if (action == kClickAt)
        XDesktop::GetInstance()->Click(pt);
    else
        XDesktop::GetInstance()->MouseMove(pt, 0);
}

void TypeNote(ActionReader& in)
{
    const std::string text = ReadText(in);
    if (XWindow* note = NoteWindow(LogDialog()))
        note->SetWindowTextA(text.c_str());
}

void PlayAction(uint8_t action, ActionReader& in, Stage& s)
{
    switch (action) {
        case kServer87:
        case kServer91:
            Deliver(s.host, action == kServer87 ? 87 : 91, in);
            ++s.stats.messages;
            break;
        case kAdvance:
            s.host.timers.Advance(in.U16());
            break;
        case kClickLink:
            ClickLink(in, s.stats);
            break;
        case kClickLog:
            ClickLog(in, s.stats);
            break;
        case kAnswerBox:
            s.host.ui.Answer(static_cast<int8_t>(in.U8()));
            break;
        case kClickAt:
        case kMouseMove:
            MouseAt(action, in);
            break;
        case kOpenWindow: {
            const int32_t id = kModuleWindows[in.U8() % std::size(kModuleWindows)];
            s.host.ui.OpenClientWnd(id, (in.U8() & 1) ? &s.callback : nullptr);
            break;
        }
        case kDestroyWindow:
            if (XWindow* wnd = PickTopLevel(in))
                XDesktop::GetInstance()->DestroyWindow(wnd);
            break;
        case kClientCall:
            ClientCall(s.helper.GetITaskClient(), in, s.callback);
            break;
        case kAccelKey:
            if (XWindow* wnd = PickTopLevel(in))
                XDesktop::GetInstance()->AccelKey(wnd);
            break;
        case kTypeNote:
            TypeNote(in);
            break;
        default:  // kRestart
            RestartClient(s);
            break;
    }
}

}  // namespace

void ResetModule()
{
    if (CTaskClientHelper::m_pTaskClient != nullptr) {
        CTaskClientHelper helper;
        helper.Close();
    }
    XDesktop::Reset();
    g_pGlobalClient = nullptr;
    g_pTaskClient = nullptr;
    g_LogSink.Reset();
    ClearFunctionTasks();
}

GameFolder::GameFolder(const std::filesystem::path& sampleDir)
    : m_scripts(std::make_unique<host::ParsedScripts>())
{
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path =
        MakeWorkFolder("orvane-session-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    for (const char* sub : {"scp", "task"})
        std::filesystem::copy(sampleDir / sub, m_path / sub,
                              std::filesystem::copy_options::recursive);
    panelkit::KeepDecodedImages(true);
}

GameFolder::~GameFolder()
{
    panelkit::KeepDecodedImages(false);
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

SessionStats PlaySession(const GameFolder& folder, const uint8_t* data, size_t size,
                         const FaultHooks& faults)
{
    SessionStats stats;
    ResetModule();
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(folder.String()) / "TaskLog.txt", ec);
    platform::StartDebugCapture();

    HostCallback callback;
    host::ReferenceHost host;
    host.SetWorkDir(folder.String());
    host.loader.UseParsedScripts(&folder.Scripts());
    CImageLoader::GetInstance()->SetBaseFolder(folder.String().c_str());
    host.ui.SetClientSource([] { return CTaskClientHelper::m_pTaskClient; });

    CTaskClientHelper helper;
    Stage stage{host, helper, callback, stats};
    StartClient(stage);

    ActionReader in(data, size);
    // Bounded so that a long input cannot turn into a long session.
    for (; !in.AtEnd() && stats.actions < 256; ++stats.actions) {
        const uint8_t action = in.U8() % kActionCount;
        if (faults.arm == nullptr) {
            PlayAction(action, in, stage);
            continue;
        }
        try {
            faults.arm();
            PlayAction(action, in, stage);
            faults.disarm();
        } catch (const std::bad_alloc&) {
            faults.disarm();
            ++stats.failedActions;
        }
    }
    // Windows left behind still hold timers of the host: end them first.
    ResetModule();
    stats.packets = host.sender.packets;
    platform::TakeDebugWrites();
    return stats;
}

}  // namespace orvane::fuzz
