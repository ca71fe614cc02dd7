// The reference host: real implementations of the seven host services, put
// together in one CGlobalClient. Tests and orvane-host drive the module
// through it. Every service reports what happens to the host's event
// listener, in order, so a transcript can be written.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "client/HostInterfaces.h"
#include "client/ITaskClient.h"

namespace orvane::host {

// One thing the host saw the module do.
struct HostEvent {
    enum class Kind {
        Print,       // text
        Packet,      // bytes
        TimerSet,    // timerId, sink, ms
        TimerKill,   // timerId, sink
        TimerFire,   // timerId, sink
        Register,    // msgId
        Unregister,  // msgId
        OpenWindow,  // windowId
        ConfirmBox,  // text
        LoadFailed,  // text: the loader's message about a script it could not load
    };
    Kind kind;
    std::string text;  // GBK as the module gave it
    std::vector<uint8_t> bytes;
    int32_t timerId = 0;
    int32_t sink = 0;  // 1, 2, ... in order of first appearance
    int32_t ms = 0;
    int32_t msgId = 0;
    int32_t windowId = 0;
};

using HostEventListener = std::function<void(const HostEvent&)>;

class EventHub {
public:
    void SetListener(HostEventListener listener) { m_listener = std::move(listener); }
    void Emit(const HostEvent& ev)
    {
        if (m_listener)
            m_listener(ev);
    }

private:
    HostEventListener m_listener;
};

// Keeps the newest lines printed, not all of them: a long session must not
// grow without bound. Every line still goes to the hub as it comes.
class RecordingOutput : public IMsgOutput {
public:
    // At least this many of the newest lines are kept, at most twice as
    // many: enough for a viewer's panel and a test's look back.
    static constexpr size_t kKeptLines = 1000;
    explicit RecordingOutput(EventHub& hub) : m_hub(hub) {}
    void Print(const char* text, uint32_t color, int32_t a, int32_t b, int32_t c,
               int32_t d) override;
    // The newest lines, oldest first.
    std::vector<std::string> lines;
    // Every line ever printed, those dropped from lines included.
    uint64_t printed = 0;

private:
    EventHub& m_hub;
};

// Timers on a virtual clock. Armed timers fire each period until killed;
// Advance fires every due timer in due order (ties in arming order). A period
// below 1 ms is taken as 1 ms so that Advance always ends. A target may set
// and kill timers from inside OnTimer; a null target is reported, never armed.
class VirtualTimerService : public ITimerService {
public:
    explicit VirtualTimerService(EventHub& hub) : m_hub(hub) {}
    void SetTimer(int32_t id, ITimerSink* target, int32_t ms) override;
    void KillTimer(int32_t id, ITimerSink* target) override;
    void Advance(int64_t ms);
    int64_t Now() const { return m_now; }
    bool IsArmed(int32_t id, ITimerSink* target) const;
    size_t ArmedCount() const;
    // When the earliest armed timer falls due; nullopt when none is armed.
    std::optional<int64_t> NextDue() const;
    // The number the transcript gives a target (1, 2, ... by first appearance).
    int32_t SinkNumber(ITimerSink* target);
    // The targets without an armed timer are gone (their owner was
    // released): a target seen later gets a new number even at an address a
    // gone one had. Numbers are never given twice.
    void ForgetIdleTargets();

private:
    struct Timer {
        int32_t id;
        ITimerSink* target;
        int32_t period;
        int64_t due;
        uint64_t order;
    };
    EventHub& m_hub;
    std::vector<Timer> m_timers;
    std::map<ITimerSink*, int32_t> m_sinkNumbers;
    int32_t m_nextSink = 1;
    int64_t m_now = 0;
    uint64_t m_nextOrder = 0;
    bool m_bAdvancing = false;
};

class RecordingSender : public INetSender {
public:
    explicit RecordingSender(EventHub& hub) : m_hub(hub) {}
    int32_t Send(const uint8_t* bytes, int32_t length) override;
    std::vector<std::vector<uint8_t>> packets;

private:
    EventHub& m_hub;
};

class MessageRegistry : public IMsgRegistry {
public:
    explicit MessageRegistry(EventHub& hub) : m_hub(hub) {}
    // A pair registered twice is kept twice (and delivered to twice); a null
    // delegate is reported but not kept.
    void Register(int32_t msgId, CMsgDelegate* delegate) override;
    // Ends every registration of the pair.
    void Unregister(int32_t msgId, CMsgDelegate* delegate) override;
    // Delivers a server message to every delegate registered for its id when
    // the delivery starts. A delegate unregistered meanwhile (by itself or by
    // another) is skipped; one registered meanwhile waits for the next message.
    void Deliver(int32_t msgId, const uint8_t* bytes, uint32_t length, int32_t extra = 0);
    size_t CountFor(int32_t msgId) const;

private:
    struct Entry {
        int32_t msgId;
        CMsgDelegate* delegate;
        uint64_t serial;  // tells a registration from a later one of the same pair
    };
    bool IsRegistered(uint64_t serial) const;

    EventHub& m_hub;
    std::vector<Entry> m_entries;
    uint64_t m_nextSerial = 0;
};

class UiService : public IUiService {
public:
    explicit UiService(EventHub& hub) : m_hub(hub) {}
    // The box stays open until Answer; a new Confirm replaces an open box.
    void Confirm(const char* text, IWndCallback* listener, int32_t flags) override;
    // Calls the current task client's CreateClientTalkWnd(id, callback).
    void OpenClientWnd(int32_t id, IWndCallback* callback) override;
    // Answers the open box (1 yes, 0 no, others as given): the box closes, then
    // its listener gets OnEvent(0, answer, 0, 0). False when none is open.
    bool Answer(int32_t answer);
    bool HasOpenBox() const { return m_bOpen; }
    const std::string& OpenBoxText() const { return m_strText; }
    // Where OpenClientWnd finds the task client (the helper's GetITaskClient).
    void SetClientSource(std::function<ITaskClient*()> source) { m_source = std::move(source); }

private:
    EventHub& m_hub;
    IWndCallback* m_pListener = nullptr;
    bool m_bOpen = false;
    std::string m_strText;
    std::function<ITaskClient*()> m_source;
};

class ResScript;
class ResNode;

// Scripts already parsed, by path and password, for a process that loads the
// same few scripts over and over (the fuzz sessions). Each load still gets
// its own copy of the tree, freed on its Release as usual.
class ParsedScripts {
public:
    ParsedScripts();
    ~ParsedScripts();
    ParsedScripts(const ParsedScripts&) = delete;
    ParsedScripts& operator=(const ParsedScripts&) = delete;
    // A copy of the tree kept for that path and password, or null.
    std::unique_ptr<ResNode> Find(const std::string& path, const char* password) const;
    void Keep(const std::string& path, const char* password, const ResNode& root);
    size_t Size() const { return m_scripts.size(); }

private:
    static std::string Key(const std::string& path, const char* password);
    std::map<std::string, std::unique_ptr<ResNode>> m_scripts;
};

// Loads resource scripts written in our JSON format (see docs/resource-scripts.md).
// A script that cannot be loaded gives null and a LoadFailed event naming the
// file and the fault; nothing is thrown. Scripts still loaded when the loader
// goes are freed with it.
class ScriptLoader : public IResLoader {
public:
    explicit ScriptLoader(EventHub& hub);
    ~ScriptLoader();
    ScriptLoader(const ScriptLoader&) = delete;
    ScriptLoader& operator=(const ScriptLoader&) = delete;
    IResScript* LoadScript(const char* path, int32_t flags, const char* password) override;
    // Scripts loaded and not yet released.
    size_t LiveScripts() const;
    // With a memo, a script parsed once is not read or parsed again: later
    // loads of the same path get a copy of it. Only scripts that loaded are
    // kept, so a missing or malformed one still fails (and is reported) each
    // time. The memo must outlive the loader's loads.
    void UseParsedScripts(ParsedScripts* memo) { m_pMemo = memo; }

private:
    friend class ResScript;
    // Called by a script's Release: frees it.
    void ReleaseScript(ResScript* script);
    IResScript* Fail(const char* path, const std::string& reason);

    EventHub& m_hub;
    std::vector<std::unique_ptr<ResScript>> m_scripts;
    ParsedScripts* m_pMemo = nullptr;
};

// All seven services and the CGlobalClient that carries them.
class ReferenceHost {
public:
    ReferenceHost();
    ~ReferenceHost();
    ReferenceHost(const ReferenceHost&) = delete;
    ReferenceHost& operator=(const ReferenceHost&) = delete;

    // Copies the work folder text (as the module reads it: GBK) into
    // m_szWorkDir. False, and nothing changed, when it does not fit with its
    // terminating zero or holds a zero byte.
    bool SetWorkDir(const std::string& dir);
    CGlobalClient* Client() { return &m_client; }
    // Leave a service out, as a host without it would.
    void DropSender() { m_client.m_pNetSender = nullptr; }
    void DropRegistry() { m_client.m_pMsgRegistry = nullptr; }
    void DropUiService() { m_client.m_pUiService = nullptr; }
    void DropLoader() { m_client.m_pResLoader = nullptr; }
    void DropTimers() { m_client.m_pTimerService = nullptr; }
    void DropOutput() { m_client.m_MsgOutput.m_pOutput = nullptr; }

    EventHub hub;
    RecordingOutput output{hub};
    ScriptLoader loader{hub};
    VirtualTimerService timers{hub};
    RecordingSender sender{hub};
    MessageRegistry registry{hub};
    UiService ui{hub};

private:
    CGlobalClient m_client{};
};

}  // namespace orvane::host
