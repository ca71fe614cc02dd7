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
#include "testkit/ModuleTargets.h"
#include "tools/hostlib/Messages.h"
#include "ui/Panelkit.h"
#include "ui/TaskLogDlg.h"

namespace orvane::fuzz {

namespace {

// Operands come from the rest of the input; a short input reads zeros.
class ActionReader {
public:
    ActionReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool AtEnd() const { return m_pos >= m_size; }
    uint8_t U8() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint16_t U16()
    {
        const uint16_t lo = U8();
        return static_cast<uint16_t>(lo | (U8() << 8));
    }
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32()
    {
        const uint32_t lo = U16();
        return static_cast<int32_t>(lo | (static_cast<uint32_t>(U16()) << 16));
    }
    // Up to n bytes, fewer when the input ends first.
    std::vector<uint8_t> Bytes(size_t n)
    {
        n = std::min(n, m_size - std::min(m_pos, m_size));
        std::vector<uint8_t> out(m_data + m_pos, m_data + m_pos + n);
        m_pos += n;
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

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

RECT ReadRect(ActionReader& in)
{
    RECT rc{};
    rc.left = in.I16();
    rc.top = in.I16();
    rc.right = in.I16();
    rc.bottom = in.I16();
    return rc;
}

std::string ReadText(ActionReader& in)
{
    const std::vector<uint8_t> bytes = in.Bytes(in.U8());
    return std::string(bytes.begin(), bytes.end());
}

void ClientCall(ITaskClient* client, ActionReader& in, HostCallback& callback)
{
    const uint8_t which = in.U8();
    if (client == nullptr)
        return;
    RECT rc{};
    switch (which % 14) {
        case 0: {
            const std::string text = ReadText(in);
            client->AddTalkLine(text.c_str(), in.I32());
            break;
        }
        case 1:
            rc = ReadRect(in);
            client->SetTalkWndPos(rc);
            break;
        case 2:
            client->GetTalkWndRect(rc);
            break;
        case 3: {
            // Operands in input order, whatever the compiler's argument order.
            const int16_t dx = in.I16();
            client->MoveTalkWnd(dx, in.I16());
            break;
        }
        case 4: {
            TaskListRecord list{};
            list.nCount = in.I32();
            for (int32_t& id : list.nTaskID)
                id = in.I32();
            client->UpdateTaskList(&list);
            break;
        }
        case 5:
            client->CreateClientLogWnd();
            break;
        case 6:
            rc = ReadRect(in);
            client->SetLogWndPos(rc);
            break;
        case 7:
            client->GetLogWndRect(rc);
            break;
        case 8: {
            // Operands in input order, whatever the compiler's argument order.
            const int16_t dx = in.I16();
            client->MoveLogWnd(dx, in.I16());
            break;
        }
        case 9:
            client->HideLogWnd();
            break;
        case 10:
            client->InitTaskObserver();
            break;
        case 11: {
            const int32_t id = in.I32();
            client->GetTaskName(id);
            client->GetTaskDesc(id);
            client->GetTalkText(id);
            client->ReservedQuery(id);
            break;
        }
        case 12: {
            const int32_t id = in.I32();
            client->CreateClientTalkWnd(id, (in.U8() & 1) ? &callback : nullptr);
            break;
        }
        default:
            client->UpdateTaskList(nullptr);
            break;
    }
}

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
    helper.Create(host.Client());
    if (ITaskClient* client = helper.GetITaskClient())
        client->InitTaskObserver();

    ActionReader in(data, size);
    int restarts = 0;
    // Bounded so that a long input cannot turn into a long session.
    for (; !in.AtEnd() && stats.actions < 256; ++stats.actions) {
        const uint8_t action = in.U8() % kActionCount;
        const auto play = [&] {
            switch (action) {
                case kServer87:
                case kServer91:
                    Deliver(host, action == kServer87 ? 87 : 91, in);
                    ++stats.messages;
                    break;
                case kAdvance:
                    host.timers.Advance(in.U16());
                    break;
                case kClickLink:
                    if (const std::optional<POINT> pt = LinkPoint(in.U8())) {
                        XDesktop::GetInstance()->Click(*pt);
                        ++stats.clicks;
                    }
                    break;
                case kClickLog: {
                    const uint8_t n = in.U8();
                    CTaskLogDlg* dlg = LogDialog();
                    XWindow* control = dlg ? LogControl(dlg, n) : nullptr;
                    if (control != nullptr && control->IsVisible()) {
                        XDesktop::GetInstance()->Click(Centre(control));
                        ++stats.clicks;
                    }
                    break;
                }
                case kAnswerBox:
                    host.ui.Answer(static_cast<int8_t>(in.U8()));
                    break;
                case kClickAt:
                case kMouseMove: {
                    const POINT pt{in.U16() % 1024, in.U16() % 768};
                    if (action == kClickAt)
                        XDesktop::GetInstance()->Click(pt);
                    else
                        XDesktop::GetInstance()->MouseMove(pt, 0);
                    break;
                }
                case kOpenWindow: {
                    const int32_t id = kModuleWindows[in.U8() % std::size(kModuleWindows)];
                    host.ui.OpenClientWnd(id, (in.U8() & 1) ? &callback : nullptr);
                    break;
                }
                case kDestroyWindow: {
                    const uint8_t n = in.U8();
                    const std::vector<XWindow*> windows = TopLevelWindows();
                    if (!windows.empty())
                        XDesktop::GetInstance()->DestroyWindow(windows[n % windows.size()]);
                    break;
                }
                case kClientCall:
                    ClientCall(helper.GetITaskClient(), in, callback);
                    break;
                case kAccelKey: {
                    const uint8_t n = in.U8();
                    const std::vector<XWindow*> windows = TopLevelWindows();
                    if (!windows.empty())
                        XDesktop::GetInstance()->AccelKey(windows[n % windows.size()]);
                    break;
                }
                case kTypeNote: {
                    const std::string text = ReadText(in);
                    if (XWindow* note = NoteWindow(LogDialog()))
                        note->SetWindowTextA(text.c_str());
                    break;
                }
                default:  // kRestart
                    // Each one costs a whole client; a few reach all there is.
                    if (++restarts > kMaxRestarts)
                        break;
                    helper.Close();
                    helper.Create(host.Client());
                    if (ITaskClient* client = helper.GetITaskClient())
                        client->InitTaskObserver();
                    break;
            }
        };
        if (faults.arm == nullptr) {
            play();
            continue;
        }
        try {
            faults.arm();
            play();
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
