// What the person sees of the viewer beyond the desktop's own windows: the
// frame with the transcript and the status line, pictures on request, where
// things can be clicked, and the pointer over a link.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "tools/hostlib/DesktopPicture.h"
#include "tools/orvane-view/DesktopPlaces.h"
#include "tools/orvane-view/Viewer.h"

namespace orvane::view {

void Viewer::TellWhere()
{
    const std::vector<std::string> places = ClickablePlaces();
    if (places.empty())
        Tell("no link, scroll bar or note box is shown");
    for (const std::string& place : places)
        Tell(place);
}

void Viewer::UpdateCursor()
{
    int32_t x = 0;
    int32_t y = 0;
    SDL_GetMouseState(&x, &y);
    SDL_Cursor* wanted =
        x < kDesktopWidth && !GetSession().HasConfirmBox() && OverLink(x, y) ? m_hand : m_arrow;
    if (wanted != nullptr && wanted != SDL_GetCursor())
        SDL_SetCursor(wanted);
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
