// The viewer's window and its loop: events, the clock on real time, and the
// steps of the scenario the keys ask for.
#include "tools/orvane-view/Viewer.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvane::view {

namespace {

// How often the events are looked at while none come; the clock's timers
// fall due within this.
constexpr uint32_t kPollMs = 5;

}  // namespace

Viewer::Viewer(hostprog::HostRun& run, hostprog::Transcript& transcript, const LineCollector& lines,
               ViewOptions options)
    : m_run(run),
      m_transcript(transcript),
      m_lines(lines),
      m_options(std::move(options)),
      m_panel(lines),
      m_box(kDesktopWidth, kDesktopHeight)
{
    // The toolkit's own size-12 font: "\xCB\xCE\xCC\xE5" /* 宋体 */.
    m_font = XFontCreate::GetInstance()->CreateFontA("\xCB\xCE\xCC\xE5", 12, 0, 0, 0, 0, 128);
}

Viewer::~Viewer()
{
    if (m_hand != nullptr)
        SDL_FreeCursor(m_hand);
    if (m_arrow != nullptr)
        SDL_FreeCursor(m_arrow);
    if (m_window != nullptr)
        SDL_DestroyWindow(m_window);
    SDL_Quit();
}

void Viewer::Tell(const std::string& text)
{
    m_transcript.Aside(text);
    m_transcript.Flush();
    m_dirty = true;
}

int Viewer::Run()
{
    // A click that gives the window focus is a click in the game too: SDL
    // would otherwise drop a press that comes within a few milliseconds of
    // the focus, which is what a pointer moved in and clicked at once gives.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The desktop is painted in memory and copied out. Left to itself, SDL
    // would put an OpenGL texture behind the window surface, and to get one
    // it destroys the window it has shown and opens another: input aimed at
    // the first, by a person or a test, is lost.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "software");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "orvane-view: no display: %s\n", SDL_GetError());
        return 1;
    }
    // Without a display SDL falls back to a window nobody sees, which would
    // wait for a person for ever; only a run that asks for one gets it.
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool invisible = driver != nullptr && (std::strcmp(driver, "offscreen") == 0 ||
                                                 std::strcmp(driver, "dummy") == 0);
    if (invisible && std::getenv("SDL_VIDEODRIVER") == nullptr) {
        std::fprintf(stderr,
                     "orvane-view: no display (DISPLAY or WAYLAND_DISPLAY); under Xvfb: "
                     "xvfb-run -s '-screen 0 1280x720x24' orvane-view ...\n");
        return 1;
    }
    m_window = SDL_CreateWindow("orvane-view", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                kDesktopWidth + kPanelWidth, kDesktopHeight, 0);
    if (m_window == nullptr) {
        std::fprintf(stderr, "orvane-view: the window cannot be opened: %s\n", SDL_GetError());
        return 1;
    }
    SDL_StartTextInput();  // for the note box
    m_hand = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
    m_arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    Tell(
        "the desktop is yours: the mouse plays, Space pauses the clock, N steps to the next "
        "timer, G goes on with the scenario, Q quits (docs/viewing.md)");
    m_lastTicks = SDL_GetTicks64();
    while (!m_quit) {
        // Polled, not waited for: SDL's wait leaves its wake-up target set
        // when it times out, and the next event then sends a wake-up message
        // to the window on a second X connection. At the end that message
        // can reach a window already destroyed, and Xlib's default handler
        // ends the program with status 1 when SDL closes the connection.
        SDL_Event event;
        bool any = false;
        while (!m_quit && SDL_PollEvent(&event) != 0) {
            Handle(event);
            any = true;
        }
        if (!any)
            SDL_Delay(kPollMs);
        RunClock();
        Present();
    }
    Tell("quit at " + std::to_string(GetSession().Now()) + " ms");
    return 0;
}

void Viewer::RunClock()
{
    const uint64_t now = SDL_GetTicks64();
    const uint64_t elapsed = now - m_lastTicks;
    m_lastTicks = now;
    if (m_paused || elapsed == 0)
        return;
    try {
        GetSession().AdvanceClock(static_cast<int64_t>(elapsed));
    } catch (const hostprog::LineFault& fault) {
        m_paused = true;
        Tell("the clock stops: " + fault.text);
    }
    m_transcript.Flush();
}

void Viewer::Answer(int32_t answer)
{
    Tell(answer == 1 ? "you answer yes" : "you answer no");
    hostprog::Op op;
    op.kind = hostprog::OpKind::Confirm;
    op.name = "confirm";
    op.number = answer;
    RunOp(op);
}

void Viewer::RunOp(const hostprog::Op& op)
{
    try {
        GetSession().Run(op);
    } catch (const hostprog::LineFault& fault) {
        Tell(op.name + ": " + fault.text);
    } catch (const std::exception& e) {
        Tell(op.name + " failed: " + e.what());
    }
    m_dirty = true;
}

void Viewer::AccelKey(int32_t window)
{
    Tell("you press the accelerator key of window " + std::to_string(window));
    hostprog::Op op;
    op.kind = hostprog::OpKind::Key;
    op.name = "key";
    op.window = window;
    RunOp(op);
}

void Viewer::StepToNextTimer()
{
    const std::optional<int64_t> next = GetSession().NextTimerIn();
    if (!next) {
        Tell("no timer is armed");
        return;
    }
    Tell("step " + std::to_string(*next) + " ms to the next timer");
    try {
        GetSession().AdvanceClock(std::max<int64_t>(*next, 1));
    } catch (const hostprog::LineFault& fault) {
        m_paused = true;
        Tell("the clock stops: " + fault.text);
    }
}

void Viewer::GoOn()
{
    hostprog::ScenarioPlayer& player = m_run.Player();
    if (player.Peek() == nullptr) {
        Tell("the scenario has ended");
        return;
    }
    player.GoOn();
    if (const hostprog::Op* op = player.Peek())
        Tell("next, yours: line " + std::to_string(op->line) + ": " + op->summary);
    m_dirty = true;
}

void Viewer::PlayNextLine()
{
    hostprog::ScenarioPlayer& player = m_run.Player();
    if (player.Peek() == nullptr)
        Tell("the scenario has ended");
    else
        player.RunNext();
    m_dirty = true;
}

}  // namespace orvane::view
