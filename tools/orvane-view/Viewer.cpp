#include "tools/orvane-view/Viewer.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "tools/orvane-host/DesktopPicture.h"

namespace orvane::view {

namespace {

constexpr int32_t kDesktopWidth = 800;
constexpr int32_t kDesktopHeight = 600;
constexpr int32_t kPanelWidth = 520;
constexpr int32_t kStatusHeight = 36;
// The window of the task log and of the NPC talk, for their accelerator keys.
constexpr int32_t kLogWnd = 172;
constexpr int32_t kTalkWnd = 163;
// The clock shown in the status line moves even when nothing else does.
constexpr uint64_t kStatusRefreshMs = 250;
// A long wait between events while nothing is due.
constexpr uint32_t kIdleWaitMs = 100;

std::string Point(int32_t x, int32_t y)
{
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

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
                     "xvfb-run -s '-screen 0 1400x700x24' orvane-view ...\n");
        return 1;
    }
    m_window = SDL_CreateWindow("orvane-view", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                kDesktopWidth + kPanelWidth, kDesktopHeight, 0);
    if (m_window == nullptr) {
        std::fprintf(stderr, "orvane-view: the window cannot be opened: %s\n", SDL_GetError());
        return 1;
    }
    SDL_StartTextInput();  // for the note box
    Tell(
        "the desktop is yours: the mouse plays, Space pauses the clock, N steps to the next "
        "timer, G goes on with the scenario, Q quits (docs/viewing.md)");
    m_lastTicks = SDL_GetTicks64();
    while (!m_quit) {
        // Wake for the next timer when the clock runs, else now and then.
        uint32_t wait = kIdleWaitMs;
        if (!m_paused) {
            if (const std::optional<int64_t> next = GetSession().NextTimerIn())
                wait = static_cast<uint32_t>(std::clamp<int64_t>(*next, 1, kIdleWaitMs));
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, static_cast<int>(wait)) != 0) {
            Handle(event);
            while (!m_quit && SDL_PollEvent(&event) != 0)
                Handle(event);
        }
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

void Viewer::Handle(const SDL_Event& event)
{
    switch (event.type) {
        case SDL_QUIT:
            m_quit = true;
            break;
        case SDL_WINDOWEVENT:
            m_dirty = true;
            break;
        case SDL_KEYDOWN:
            if (m_note.Active())
                HandleNoteKey(event.key.keysym.sym);
            else
                HandleKey(event.key.keysym.sym);
            break;
        case SDL_TEXTINPUT:
            if (m_note.Active()) {
                if (const std::string said = m_note.Type(event.text.text); !said.empty())
                    Tell(said);
                m_dirty = true;
            }
            break;
        case SDL_MOUSEWHEEL:
            m_panel.Scroll(event.wheel.y * 3);
            m_dirty = true;
            break;
        case SDL_MOUSEMOTION:
            // Held or not, the toolkit sees every move over the desktop (a
            // drag goes on even when the mouse leaves it).
            if (!GetSession().HasConfirmBox() && (m_leftDown || event.motion.x < kDesktopWidth)) {
                GetSession().MouseMove(event.motion.x, event.motion.y, m_leftDown);
                m_dirty = true;
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT)
                HandleButton(event.button.x, event.button.y, event.type == SDL_MOUSEBUTTONDOWN);
            break;
        default:
            break;
    }
    m_transcript.Flush();
}

void Viewer::HandleButton(int32_t x, int32_t y, bool down)
{
    if (GetSession().HasConfirmBox()) {
        // The box is modal, as a game client's is.
        const BoxPart part = m_box.At(x, y);
        if (!down && (part == BoxPart::Yes || part == BoxPart::No))
            Answer(part == BoxPart::Yes ? 1 : 0);
        return;
    }
    if (down && x >= kDesktopWidth)
        return;  // the panel is not the desktop
    if (!down && !m_leftDown)
        return;
    if (down && m_note.Active() && NoteTyping::NoteAt(x, y) == nullptr)
        EndNote();
    m_leftDown = down;
    Tell(std::string(down ? "you press" : "you release") + " the left button at " + Point(x, y));
    GetSession().MouseButton(x, y, down);
    if (!down && !m_note.Active() && NoteTyping::NoteAt(x, y) != nullptr) {
        m_note.Start();
        Tell("you write in the task log's note: the keys type there until Esc or a click elsewhere");
    }
}

void Viewer::HandleNoteKey(int32_t key)
{
    if (key == SDLK_ESCAPE)
        EndNote();
    else if (key == SDLK_BACKSPACE)
        m_note.Backspace();
    else if (key == SDLK_RETURN || key == SDLK_KP_ENTER)
        m_note.NewLine();
    m_dirty = true;  // the letters themselves come as text input
}

void Viewer::EndNote()
{
    Tell("the note reads \"" + m_note.Text() + "\"");
    m_note.Stop();
}

void Viewer::HandleKey(int32_t key)
{
    const bool boxOpen = GetSession().HasConfirmBox();
    switch (key) {
        case SDLK_q:
        case SDLK_ESCAPE:
            m_quit = true;
            break;
        case SDLK_SPACE:
            m_paused = !m_paused;
            m_lastTicks = SDL_GetTicks64();
            Tell(m_paused ? "clock paused at " + std::to_string(GetSession().Now()) + " ms"
                          : "clock runs");
            break;
        case SDLK_y:
            if (boxOpen)
                Answer(1);
            break;
        case SDLK_n:
            if (boxOpen)
                Answer(0);
            else
                StepToNextTimer();
            break;
        case SDLK_s:
            Snapshot();
            break;
        case SDLK_f:
            m_options.frames = !m_options.frames;
            m_dirty = true;
            break;
        case SDLK_l:
            AccelKey(kLogWnd);
            break;
        case SDLK_t:
            AccelKey(kTalkWnd);
            break;
        case SDLK_g:
            GoOn();
            break;
        case SDLK_p:
            PlayNextLine();
            break;
        case SDLK_PAGEUP:
            m_panel.Scroll(20);
            m_dirty = true;
            break;
        case SDLK_PAGEDOWN:
            m_panel.Scroll(-20);
            m_dirty = true;
            break;
        case SDLK_END:
            m_panel.ScrollToEnd();
            m_dirty = true;
            break;
        default:
            break;
    }
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

void Viewer::Snapshot()
{
    namespace fs = std::filesystem;
    const std::string& dir = m_options.snapshotDir;
    const fs::path folder =
        dir.empty() ? fs::path(".") : fs::path(std::u8string(dir.begin(), dir.end()));
    std::error_code ec;
    fs::create_directories(folder, ec);
    // The next free name, so that a second run does not overwrite the first.
    fs::path path;
    do {
        char name[40];
        std::snprintf(name, sizeof name, "orvane-view-%04d.png", ++m_snapshots);
        path = folder / name;
    } while (fs::exists(path, ec));
    const std::u8string u8 = path.u8string();
    const std::string shown(u8.begin(), u8.end());
    if (hostprog::WritePicture(hostprog::DrawDesktop(m_options.frames), shown))
        Tell("snapshot " + shown + " written");
    else
        Tell("the snapshot cannot be written to " + shown);
}

std::string Viewer::Status()
{
    hostprog::Session& session = GetSession();
    std::string status = "clock " + std::to_string(session.Now()) + " ms, " +
                         (m_paused ? "paused (Space runs it)" : "running");
    if (const std::optional<int64_t> next = session.NextTimerIn())
        status += ", next timer in " + std::to_string(*next) + " ms";
    if (session.HasConfirmBox())
        status += "; a confirmation box waits (Y / N)";
    else if (m_note.Active())
        status += "; the keys write the note (Esc ends)";
    return status;
}

void Viewer::Present()
{
    const uint64_t now = SDL_GetTicks64();
    if (m_lines.Serial() != m_shownSerial)
        m_dirty = true;
    if (!m_dirty && !(now - m_lastPresent >= kStatusRefreshMs && !m_paused))
        return;
    m_dirty = false;
    m_lastPresent = now;
    m_shownSerial = m_lines.Serial();

    hostprog::Pixels desktop = hostprog::DrawDesktop(m_options.frames);
    if (GetSession().HasConfirmBox())
        m_box.Draw(desktop, m_font, GetSession().ConfirmBoxText());
    hostprog::Pixels frame =
        hostprog::Pixels::Filled(kDesktopWidth + kPanelWidth, kDesktopHeight, {24, 26, 30});
    for (int32_t y = 0; y < std::min(desktop.height, frame.height); ++y)
        std::copy_n(&desktop.rgba[static_cast<size_t>(y) * desktop.width * 4],
                    static_cast<size_t>(std::min(desktop.width, kDesktopWidth)) * 4,
                    &frame.rgba[static_cast<size_t>(y) * frame.width * 4]);
    const RECT panel{kDesktopWidth, 0, kDesktopWidth + kPanelWidth, kDesktopHeight - kStatusHeight};
    m_panel.Draw(frame, panel, m_font);
    const RECT status{kDesktopWidth, kDesktopHeight - kStatusHeight, frame.width, frame.height};
    frame.Fill(status, {40, 46, 60}, frame.Area());
    hostprog::PaintGbk(frame, m_font, status.left + 4, status.top + 4,
                       PaintableGbk(Status()).c_str(), {200, 230, 200}, status);
    hostprog::PaintGbk(frame, m_font, status.left + 4, status.top + 20,
                       "Space pause  N next timer  G go on  P next line  S snapshot  Q quit",
                       {170, 180, 200}, status);

    SDL_Surface* target = SDL_GetWindowSurface(m_window);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        frame.rgba.data(), frame.width, frame.height, 32, frame.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (target != nullptr && source != nullptr) {
        SDL_BlitSurface(source, nullptr, target, nullptr);
        SDL_UpdateWindowSurface(m_window);
    }
    SDL_FreeSurface(source);
}

}  // namespace orvane::view
