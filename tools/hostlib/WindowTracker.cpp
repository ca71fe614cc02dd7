#include "tools/hostlib/WindowTracker.h"

#include <algorithm>

#include "ui/Panelkit.h"

namespace orvane::hostprog {

namespace {

constexpr int32_t kTalkWnd = 163;
constexpr int32_t kTaskPanel = 215;

std::vector<XWindow*> DesktopWindows()
{
    XDesktop* desktop = XDesktop::GetInstance();
    std::vector<XWindow*> windows;
    for (int32_t i = 0; i < desktop->GetWindowCount(); ++i) {
        if (XWindow* wnd = desktop->GetWindowAt(i))
            windows.push_back(wnd);
    }
    return windows;
}

}  // namespace

bool WindowTracker::IsLive(const XWindow* wnd) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& e) { return e.wnd == wnd; });
}

void WindowTracker::Sync()
{
    const std::vector<XWindow*> now = DesktopWindows();
    // A window that left the desktop is gone for good: its address may come
    // back as another window, which must not inherit its entry.
    std::erase_if(m_entries, [&](const Entry& e) {
        return std::find(now.begin(), now.end(), e.wnd) == now.end();
    });
    for (Entry& e : m_entries) {
        if (e.panel != nullptr && std::find(now.begin(), now.end(), e.panel) == now.end())
            e.panel = nullptr;
    }
    std::vector<XWindow*> newTalks;
    std::vector<XWindow*> newPanels;
    for (XWindow* wnd : now) {
        if (IsLive(wnd))
            continue;
        m_entries.push_back({wnd, m_generation, m_nextSerial++, nullptr});
        if (wnd->GetID() == kTalkWnd)
            newTalks.push_back(wnd);
        else if (wnd->GetID() == kTaskPanel)
            newPanels.push_back(wnd);
    }
    // A talk window builds its panel while it is created, so both appear in
    // the same interval between two syncs; pair them in order of appearance.
    for (size_t i = 0; i < newTalks.size() && i < newPanels.size(); ++i) {
        for (Entry& e : m_entries) {
            if (e.wnd == newTalks[i])
                e.panel = newPanels[i];
        }
    }
}

XWindow* WindowTracker::Resolve(int32_t id)
{
    Sync();
    const Entry* held = nullptr;
    const Entry* newest = nullptr;
    for (const Entry& e : m_entries) {
        if (e.wnd->GetID() != id)
            continue;
        if (newest == nullptr || e.serial > newest->serial)
            newest = &e;
        if (m_generation != 0 && e.generation == m_generation &&
            (held == nullptr || e.serial > held->serial))
            held = &e;
    }
    if (held != nullptr)
        return held->wnd;
    return newest != nullptr ? newest->wnd : nullptr;
}

XWindow* WindowTracker::PanelOf(XWindow* talk)
{
    for (const Entry& e : m_entries) {
        if (e.wnd == talk)
            return e.panel;
    }
    return nullptr;
}

}  // namespace orvane::hostprog
