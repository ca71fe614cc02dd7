// One run of the module: the reference host services, the exported helper,
// the host's own window callback, and the ops of a scenario played into
// them. Everything the module does is reported to the transcript as it
// happens.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "client/TaskClientHelper.h"
#include "host/ReferenceHost.h"
#include "tools/hostlib/PlayerNotes.h"
#include "tools/hostlib/Scenario.h"
#include "tools/hostlib/ScenarioFields.h"
#include "tools/hostlib/Transcript.h"
#include "tools/hostlib/TranscriptText.h"
#include "tools/hostlib/WindowTracker.h"

class XItemContainer;

namespace orvane::hostprog {

// The callback a scenario hands the module as "host": it reports each event.
class HostCallback : public IWndCallback {
public:
    explicit HostCallback(Transcript& out) : m_out(out) {}
    bool OnEvent(int32_t code, int32_t type, int32_t value, int32_t extra) override;

private:
    Transcript& m_out;
};

class Session {
public:
    // workDirGbk: the work folder as the module gets it; workDir: as the file
    // system names it.
    // without: the services the host's CGlobalClient lacks (HostSetup's names).
    Session(Transcript& out, const std::string& workDirGbk, const std::string& workDir,
            const std::vector<std::string>& without = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs one op. Throws LineFault when the op cannot run (no client for a
    // call, no confirmation box to answer, no such child, ...).
    void Run(const Op& op);
    int64_t Now() const { return m_host.timers.Now(); }
    // The host services, for programs that look at what the module asked of them.
    host::ReferenceHost& Host() { return m_host; }
    // Debug frames in pictures, and a folder for a picture after every step
    // that changes the desktop.
    struct PictureOptions {
        bool frames = false;
        std::string snapshotDir;
    };
    void SetPictureOptions(PictureOptions options) { m_pictures = std::move(options); }
    // After the op of that line: a picture if the desktop looks different.
    void SnapshotIfChanged(int32_t line);

    // A person at the desktop: the mouse goes through the toolkit's routing
    // as a player's does (leftHeld: the left button is down while it moves).
    void MouseMove(int32_t x, int32_t y, bool leftHeld);
    void MouseButton(int32_t x, int32_t y, bool down);
    // The mouse wheel turned by notches (positive: down the text) at (x, y).
    void MouseWheel(int32_t x, int32_t y, int32_t notches);
    // Real time passing: the clock moves on by ms, firing what falls due.
    // Throws LineFault as the advance op does.
    void AdvanceClock(int64_t ms);
    // The time until the next armed timer falls due; nullopt when none is armed.
    std::optional<int64_t> NextTimerIn() const;
    // The host's confirmation box, while one is open (its text in GBK).
    bool HasConfirmBox() const { return m_host.ui.HasOpenBox(); }
    const std::string& ConfirmBoxText() const { return m_host.ui.OpenBoxText(); }

private:
    void OnHostEvent(const host::HostEvent& ev);
    void OnDebugWrite(const std::string& text);
    // Follows the helper's client: a new client starts a new generation of windows.
    void TrackClient();

    void RunCall(const Op& op);
    void RunAdvance(int64_t ms);
    void RunPlayer(const Op& op);
    // The mouse goes to (x, y) and, for a click, presses and releases there;
    // a point that does not reach the target is told first.
    enum class Press { None, Click };
    void ClickAt(XWindow* target, int32_t x, int32_t y, Press press = Press::Click);
    void ClickLink(XWindow* wnd, const Op& op);
    void ClickChild(XWindow* wnd, int32_t child);
    void ClickTask(XWindow* wnd, int32_t index);
    void RunCommand(XWindow* wnd, const Op& op);
    void Drag(XWindow* wnd, const Op& op);
    void Wheel(XWindow* wnd, const Op& op);
    // Turns the wheel over a text control until the line's first link is in
    // view, as a player scrolls to an answer before clicking it.
    void ScrollToLink(XItemContainer* items, int32_t line);
    // The warnings of what the player will miss: those of a message just
    // delivered, and those of text controls that now show more lines than
    // fit.
    void WarnOfMessage(const Op& op);
    void WarnOfHiddenLines();
    void RunDump(int32_t windowId);
    void RunFile(const Op& op);
    void RunSnapshot(const Op& op);
    std::vector<XWindow*> TaskButtonsOf(XWindow* logDlg);
    // Runs a person's input as an op would run: the windows that come with it
    // belong to the current client.
    template <class Input>
    void AsPlayer(Input input);
    void Emit(const Event& ev) { m_out.Emit(ev); }
    void EmitNoWindow(int32_t id);
    // Says, before an op runs, that it needs a service the host lacks.
    void EmitMissing(const Op& op);
    bool Lacks(const char* service) const;

    Transcript& m_out;
    TranscriptText m_text;
    std::string m_workDir;
    std::string m_workDirGbk;
    host::ReferenceHost m_host;
    CTaskClientHelper m_helper;
    HostCallback m_callback;
    WindowTracker m_windows;
    ITaskClient* m_lastClient = nullptr;
    int32_t m_generation = 0;
    int32_t m_logDescChildren = -1;  // read from the game's script when first needed
    PictureOptions m_pictures;
    std::vector<uint8_t> m_lastPicture;
    int32_t m_snapshotCount = 0;
    int64_t m_ticks = 0;  // timer ticks during the current advance
    std::vector<std::string> m_without;
    ViewWatch m_viewWatch;
};

}  // namespace orvane::hostprog
