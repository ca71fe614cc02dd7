// Which top-level window of the desktop belongs to which task client. The
// host cannot see the client's window pointers; it notes instead which
// windows appeared on the desktop while each client was current, and pairs
// each NPC talk window with the task panel (215) that appeared with it.
#pragma once

#include <cstdint>
#include <vector>

class XWindow;

namespace orvane::hostprog {

class WindowTracker {
public:
    // The client that new windows belong to; 0 while there is none.
    void SetGeneration(int32_t generation) { m_generation = generation; }
    int32_t Generation() const { return m_generation; }
    // Forgets windows that left the desktop and records those that came.
    void Sync();
    // The window of that id that the current client holds, else the newest
    // one on the desktop, else null.
    XWindow* Resolve(int32_t id);
    // The task panel that came with this talk window, if it is still there.
    XWindow* PanelOf(XWindow* talk);

private:
    struct Entry {
        XWindow* wnd;
        int32_t generation;
        uint64_t serial;
        XWindow* panel;  // for a talk window: its task panel, or null
    };
    bool IsLive(const XWindow* wnd) const;

    std::vector<Entry> m_entries;
    int32_t m_generation = 0;
    uint64_t m_nextSerial = 0;
};

}  // namespace orvane::hostprog
