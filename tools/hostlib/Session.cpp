#include "tools/hostlib/Session.h"

#include <algorithm>

#include "platform/DebugChannel.h"
#include "ui/Panelkit.h"

namespace orvane::hostprog {

namespace {

// An advance runs the clock in steps of this size, so that a timer that
// never stops is noticed before it floods the transcript.
constexpr int64_t kAdvanceStepMs = 1000;
constexpr int64_t kMaxTicksPerAdvance = 10000;

}  // namespace

bool HostCallback::OnEvent(int32_t code, int32_t type, int32_t value, int32_t extra)
{
    Event ev;
    ev["ev"] = "callback";
    ev["code"] = code;
    ev["type"] = type;
    ev["value"] = value;
    ev["extra"] = extra;
    m_out.Emit(ev);
    return true;
}

Session::Session(Transcript& out, const std::string& workDirGbk, const std::string& workDir,
                 const std::vector<std::string>& without)
    : m_out(out),
      m_text(workDirGbk),
      m_workDir(workDir),
      m_workDirGbk(workDirGbk),
      m_callback(out),
      m_without(without)
{
    m_host.SetWorkDir(workDirGbk);
    for (const std::string& service : m_without) {
        const char* member = "";
        if (service == "sender") {
            m_host.DropSender();
            member = "m_pNetSender";
        } else if (service == "loader") {
            m_host.DropLoader();
            member = "m_pResLoader";
        } else if (service == "registry") {
            m_host.DropRegistry();
            member = "m_pMsgRegistry";
        } else if (service == "ui") {
            m_host.DropUiService();
            member = "m_pUiService";
        } else if (service == "timers") {
            m_host.DropTimers();
            member = "m_pTimerService";
        }
        Event ev;
        ev["ev"] = "without";
        ev["service"] = service;
        ev["member"] = member;
        Emit(ev);
    }
    m_host.ui.SetClientSource([this] { return m_helper.GetITaskClient(); });
    m_host.hub.SetListener([this](const host::HostEvent& ev) { OnHostEvent(ev); });
    CImageLoader::GetInstance()->SetBaseFolder(workDir.c_str());
    platform::StartDebugCapture();
    platform::TakeDebugWrites();
    platform::SetDebugWriteListener([this](const std::string& text) { OnDebugWrite(text); });
}

Session::~Session()
{
    // The module and its windows stay as they are, as when a game client's
    // process ends; only the reports stop.
    platform::SetDebugWriteListener(nullptr);
    platform::StopDebugCapture();
    m_host.hub.SetListener(nullptr);
}

void Session::OnHostEvent(const host::HostEvent& hev)
{
    using Kind = host::HostEvent::Kind;
    Event ev;
    switch (hev.kind) {
        case Kind::Print:
            ev["ev"] = "log";
            ev["text"] = m_text.Text(hev.text);
            break;
        case Kind::Packet:
            ev["ev"] = "packet";
            ev["hex"] = ToHex(hev.bytes);
            break;
        case Kind::TimerSet:
        case Kind::TimerKill:
        case Kind::TimerFire:
            ev["ev"] = "timer";
            ev["action"] = hev.kind == Kind::TimerSet    ? "set"
                           : hev.kind == Kind::TimerKill ? "kill"
                                                         : "fire";
            ev["id"] = hev.timerId;
            if (hev.kind == Kind::TimerSet)
                ev["ms"] = hev.ms;
            ev["sink"] = hev.sink;
            if (hev.kind == Kind::TimerFire)
                ++m_ticks;
            break;
        case Kind::Register:
        case Kind::Unregister:
            ev["ev"] = hev.kind == Kind::Register ? "register" : "unregister";
            ev["msg"] = hev.msgId;
            break;
        case Kind::OpenWindow:
            ev["ev"] = "open-window";
            ev["id"] = hev.windowId;
            break;
        case Kind::ConfirmBox:
            ev["ev"] = "confirm-box";
            ev["text"] = m_text.Text(hev.text);
            break;
        case Kind::LoadFailed:
            ev["ev"] = "load-failed";
            ev["text"] = m_text.Text(hev.text);
            break;
    }
    Emit(ev);
    // The window about to be opened will be new on the desktop: note what is
    // there before, so it is told apart from what was there already.
    if (hev.kind == Kind::OpenWindow)
        m_windows.Sync();
}

void Session::OnDebugWrite(const std::string& text)
{
    Event ev;
    ev["ev"] = "debug";
    ev["text"] = m_text.Text(text);
    Emit(ev);
}

void Session::TrackClient()
{
    ITaskClient* client = m_helper.GetITaskClient();
    if (client != nullptr && client != m_lastClient)
        ++m_generation;
    m_lastClient = client;
    m_windows.SetGeneration(client != nullptr ? m_generation : 0);
}

void Session::EmitNoWindow(int32_t id)
{
    Event ev;
    ev["ev"] = "no-window";
    ev["id"] = id;
    Emit(ev);
}

bool Session::Lacks(const char* service) const
{
    return std::find(m_without.begin(), m_without.end(), service) != m_without.end();
}

void Session::EmitMissing(const Op& op)
{
    // The loader and the timers must be there; the module skips what needs
    // the sender, the registry or the ui. Either way the step is told.
    const char* service = nullptr;
    const char* effect = nullptr;
    if (op.kind == OpKind::Create && Lacks("loader")) {
        service = "loader";
        effect = "the client has no scripts: no names, texts or windows";
    } else if ((op.kind == OpKind::Server || op.kind == OpKind::Talk ||
                op.kind == OpKind::TaskLog) &&
               Lacks("registry")) {
        service = "registry";
        effect = "the module registered for no message, so this one reaches nobody";
    } else if ((op.kind == OpKind::Talk || (op.kind == OpKind::Server && op.msg == 87)) &&
               Lacks("ui")) {
        service = "ui";
        effect = "the module cannot open the NPC talk window for this message";
    } else if (op.kind == OpKind::Advance && Lacks("timers")) {
        service = "timers";
        effect = "the module could arm no timer, so none fires";
    } else if (op.kind == OpKind::Confirm && Lacks("ui")) {
        service = "ui";
        effect = "the module could open no confirmation box";
    }
    if (service == nullptr)
        return;
    Event ev;
    ev["ev"] = "missing";
    ev["op"] = op.name;
    ev["service"] = service;
    ev["effect"] = effect;
    Emit(ev);
}

void Session::Run(const Op& op)
{
    TrackClient();
    m_windows.Sync();
    EmitMissing(op);
    switch (op.kind) {
        case OpKind::Create:
        case OpKind::CreateNull: {
            const bool ok = m_helper.Create(op.kind == OpKind::Create ? m_host.Client() : nullptr);
            Event ev;
            ev["ev"] = "result";
            ev["op"] = op.name;
            ev["value"] = ok;
            Emit(ev);
            break;
        }
        case OpKind::Close:
            m_helper.Close();
            // The client's timer targets died with it; the windows it leaves
            // behind keep only a timer they had armed, and arm no new one.
            // So new targets get new numbers even where memory is reused.
            m_host.timers.ForgetIdleTargets();
            break;
        case OpKind::Call:
            RunCall(op);
            break;
        case OpKind::Server:
        case OpKind::Talk:
        case OpKind::TaskLog: {
            // An empty message still comes with a valid pointer, as a real
            // registry would hand over.
            static const uint8_t kNothing[1] = {0};
            const uint8_t* data = op.bytes.empty() ? kNothing : op.bytes.data();
            m_host.registry.Deliver(op.msg, data, static_cast<uint32_t>(op.bytes.size()));
            WarnOfMessage(op);
            break;
        }
        case OpKind::Advance:
            RunAdvance(op.ms);
            break;
        case OpKind::Dump:
            RunDump(op.window);
            break;
        case OpKind::File:
            RunFile(op);
            break;
        case OpKind::Snapshot:
            RunSnapshot(op);
            break;
        default:
            RunPlayer(op);
            break;
    }
    // A client made or ended by this op changes who holds the windows that
    // appear from now on.
    TrackClient();
    m_windows.Sync();
    platform::TakeDebugWrites();  // already reported one by one
    WarnOfHiddenLines();
}

void Session::RunAdvance(int64_t ms)
{
    m_ticks = 0;
    int64_t left = ms;
    while (left > 0) {
        const int64_t step = left < kAdvanceStepMs ? left : kAdvanceStepMs;
        m_host.timers.Advance(step);
        left -= step;
        if (m_ticks > kMaxTicksPerAdvance)
            throw LineFault{"timers fired more than " + std::to_string(kMaxTicksPerAdvance) +
                            " times in one advance: a timer keeps running (the clock stopped at " +
                            std::to_string(Now()) + " ms)"};
    }
}

}  // namespace orvane::hostprog
