// What the person does at the viewer's window: the mouse over the desktop
// or the transcript, the keys of the viewer, and typing into the note box.
#include <SDL.h>

#include "tools/orvane-view/Viewer.h"

namespace orvane::view {

namespace {

// The window of the task log and of the NPC talk, for their accelerator keys.
constexpr int32_t kLogWnd = 172;
constexpr int32_t kTalkWnd = 163;

std::string Point(int32_t x, int32_t y)
{
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

}  // namespace

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
            HandleWheel(event);
            break;
        case SDL_MOUSEMOTION:
            // Held or not, the toolkit sees every move over the desktop (a
            // drag goes on even when the mouse leaves it).
            if (!GetSession().HasConfirmBox() && (m_leftDown || event.motion.x < kDesktopWidth)) {
                GetSession().MouseMove(event.motion.x, event.motion.y, m_leftDown);
                m_dirty = true;
            }
            UpdateCursor();
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

void Viewer::HandleWheel(const SDL_Event& event)
{
    // Over the desktop the wheel is the player's: it scrolls the text
    // under the mouse. Over the panel it scrolls the transcript.
    int32_t x = 0;
    int32_t y = 0;
    SDL_GetMouseState(&x, &y);
    const int32_t notches =
        event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? event.wheel.y : -event.wheel.y;
    if (x < kDesktopWidth && !GetSession().HasConfirmBox()) {
        Tell("you turn the mouse wheel " + std::to_string(notches < 0 ? -notches : notches) +
             (notches < 0 ? " notch(es) up" : " notch(es) down") + " at " + Point(x, y));
        GetSession().MouseWheel(x, y, notches);
    } else {
        m_panel.Scroll(-notches * 3);
    }
    m_dirty = true;
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
        Tell(
            "you write in the task log's note: the keys type there until Esc or a click elsewhere");
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
        case SDLK_w:
            TellWhere();
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

}  // namespace orvane::view
