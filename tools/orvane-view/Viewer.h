// The desktop handed to a person: an SDL window with the desktop picture on
// the left and the transcript on the right. The mouse goes through the
// toolkit's routing, the clock runs on real time, and the rest of the
// scenario can be played on from the keyboard.
#pragma once

#include <cstdint>
#include <string>

#include "tools/hostlib/HostRun.h"
#include "tools/hostlib/Transcript.h"
#include "tools/orvane-view/ConfirmBox.h"
#include "tools/orvane-view/NoteTyping.h"
#include "tools/orvane-view/TranscriptPanel.h"

union SDL_Event;
struct SDL_Cursor;
struct SDL_Window;

namespace orvane::view {

inline constexpr int32_t kDesktopWidth = 800;
inline constexpr int32_t kDesktopHeight = 600;
// With the transcript beside it the window is 1,260 x 600: it fits a
// 1,280 x 720 screen with its frame.
inline constexpr int32_t kPanelWidth = 460;
inline constexpr int32_t kStatusHeight = 36;
// The clock shown in the status line moves even when nothing else does.
inline constexpr uint64_t kStatusRefreshMs = 250;

struct ViewOptions {
    bool frames = false;
    std::string snapshotDir;  // empty: the current folder
};

class Viewer {
public:
    Viewer(hostprog::HostRun& run, hostprog::Transcript& transcript, const LineCollector& lines,
           ViewOptions options);
    ~Viewer();
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    // Opens the window and runs until the person quits: 0, or 1 when no
    // window can be opened.
    int Run();

private:
    void Handle(const SDL_Event& event);
    void HandleWheel(const SDL_Event& event);
    void HandleKey(int32_t key);
    void HandleButton(int32_t x, int32_t y, bool down);
    void HandleNoteKey(int32_t key);
    void EndNote();
    void Answer(int32_t answer);
    // A step the viewer runs as the scenario op would; its fault is told.
    void RunOp(const hostprog::Op& op);
    void AccelKey(int32_t window);
    void StepToNextTimer();
    // G: the scenario goes on from where the person took over (see
    // ScenarioPlayer::GoOn). P: the next line as written.
    void GoOn();
    void PlayNextLine();
    void Snapshot();
    // W: where the links, scroll bars and the note box are on the desktop.
    void TellWhere();
    // A hand over a link, the arrow elsewhere.
    void UpdateCursor();
    void Tell(const std::string& text);
    void RunClock();
    void Present();
    std::string Status();
    hostprog::Session& GetSession() { return m_run.GetSession(); }

    hostprog::HostRun& m_run;
    hostprog::Transcript& m_transcript;
    const LineCollector& m_lines;
    ViewOptions m_options;
    TranscriptPanel m_panel;
    ConfirmBox m_box;
    NoteTyping m_note;
    ITTFont* m_font = nullptr;
    SDL_Window* m_window = nullptr;
    SDL_Cursor* m_hand = nullptr;
    SDL_Cursor* m_arrow = nullptr;
    bool m_quit = false;
    bool m_paused = false;
    bool m_leftDown = false;
    bool m_dirty = true;
    uint64_t m_lastTicks = 0;
    uint64_t m_lastPresent = 0;
    uint64_t m_shownSerial = 0;
    int32_t m_snapshots = 0;
};

}  // namespace orvane::view
