// A window the module is building and handing to its parent. The module
// owns it until the build is done; a build that fails part way ends it, so
// that no half-built window stays behind, whether or not its parent holds
// it yet.
#pragma once

#include <utility>

#include "ui/Panelkit.h"

namespace orvane {

// Whether parent holds wnd among its children.
bool HoldsChild(XWindow* parent, XWindow* wnd);

// Ends a window whose build failed: through the plain window's Release when
// parent holds it already, with delete when nothing does. Never throws.
void EndUnbuiltWindow(XWindow* parent, XWindow* wnd) noexcept;

template <class T>
class OwnedWindow {
public:
    OwnedWindow() = default;
    // parent is the window that is to hold wnd (the desktop for a top-level one).
    OwnedWindow(XWindow* parent, T* wnd) noexcept : m_pParent(parent), m_pWnd(wnd) {}
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    OwnedWindow(OwnedWindow&& other) noexcept
        : m_pParent(other.m_pParent), m_pWnd(std::exchange(other.m_pWnd, nullptr))
    {
    }
    OwnedWindow& operator=(OwnedWindow&& other) noexcept
    {
        if (this != &other) {
            End();
            m_pParent = other.m_pParent;
            m_pWnd = std::exchange(other.m_pWnd, nullptr);
        }
        return *this;
    }
    ~OwnedWindow() { End(); }

    T* get() const noexcept { return m_pWnd; }
    T* operator->() const noexcept { return m_pWnd; }

    // The build is done: from now on the parent ends the window.
    T* Keep() noexcept { return std::exchange(m_pWnd, nullptr); }
    // Ends the window now, if this still owns one.
    void End() noexcept
    {
        if (m_pWnd != nullptr)
            EndUnbuiltWindow(m_pParent, std::exchange(m_pWnd, nullptr));
    }

private:
    XWindow* m_pParent = nullptr;
    T* m_pWnd = nullptr;
};

}  // namespace orvane
