// A person's mouse at the desktop, for the viewer: the same routing the
// click and drag ops go through.
#include "platform/DebugChannel.h"
#include "tools/hostlib/Session.h"
#include "ui/Panelkit.h"

namespace orvane::hostprog {

template <class Input>
void Session::AsPlayer(Input input)
{
    TrackClient();
    m_windows.Sync();
    input();
    TrackClient();
    m_windows.Sync();
    platform::TakeDebugWrites();  // already reported one by one
    WarnOfHiddenLines();
}

void Session::MouseMove(int32_t x, int32_t y, bool leftHeld)
{
    AsPlayer([&] { XDesktop::GetInstance()->MouseMove(POINT{x, y}, leftHeld ? 1u : 0u); });
}

void Session::MouseButton(int32_t x, int32_t y, bool down)
{
    AsPlayer([&] {
        XDesktop* desktop = XDesktop::GetInstance();
        if (down)
            desktop->MouseDown(POINT{x, y}, 1);
        else
            desktop->MouseUp(POINT{x, y}, 1);
    });
}

void Session::MouseWheel(int32_t x, int32_t y, int32_t notches)
{
    AsPlayer([&] { XDesktop::GetInstance()->MouseWheel(POINT{x, y}, notches); });
}

void Session::AdvanceClock(int64_t ms)
{
    AsPlayer([&] { RunAdvance(ms); });
}

std::optional<int64_t> Session::NextTimerIn() const
{
    const std::optional<int64_t> due = m_host.timers.NextDue();
    if (!due)
        return std::nullopt;
    return *due > Now() ? *due - Now() : 0;
}

}  // namespace orvane::hostprog
