// The desktop: root of every window tree, 800 x 600. Its children are the
// top-level windows in stacking order (the last one on top); adding or
// activating a window puts it on top. It routes the player's mouse and keys.
//
// Routing, in short: a press goes to the top-most visible top-level window
// under the point, after the deepest visible, enabled window under it has
// been made the mouse window; the window that takes a left press (it calls
// SetCaptureWindow) gets the release. A press that finds a disabled
// top-level window is dropped.
#include <algorithm>

#include "panelkit/Internals.h"
#include "panelkit/TextUtil.h"
#include "panelkit/WindowState.h"
#include "ui/Panelkit.h"

namespace {

constexpr RECT kDesktopRect{0, 0, 800, 600};
// Rows of text one notch of the mouse wheel moves.
constexpr int32_t kWheelRows = 3;

// The deepest visible, enabled window under the point, starting at wnd.
XWindow* DeepestEnabled(XWindow* wnd, POINT pt)
{
    for (int depth = 0; depth < panelkit::kMaxTreeDepth; ++depth) {
        XWindow* next = nullptr;
        for (int32_t i = wnd->GetChildCount() - 1; i >= 0; --i) {
            XWindow* child = wnd->GetChild(i);
            RECT rc{};
            child->GetWindowRect(rc);
            if (child->IsVisible() && child->IsEnabled() && panelkit::RectContains(rc, pt)) {
                next = child;
                break;
            }
        }
        if (next == nullptr)
            break;
        wnd = next;
    }
    return wnd;
}

// The desktop's windows, oldest first: those added through AddWindow in
// that order (skipping any taken off since), then any put on the desktop
// some other way, in stacking order.
std::vector<XWindow*> InAddOrder(const std::vector<XWindow*>& addOrder,
                                 const std::vector<XWindow*>& children)
{
    std::vector<XWindow*> result;
    for (XWindow* wnd : addOrder) {
        if (std::find(children.begin(), children.end(), wnd) != children.end())
            result.push_back(wnd);
    }
    for (XWindow* wnd : children) {
        if (std::find(result.begin(), result.end(), wnd) == result.end())
            result.push_back(wnd);
    }
    return result;
}

}  // namespace

XDesktop::XDesktop()
    : m_pActive(nullptr),
      m_pMouse(nullptr),
      m_pCapture(nullptr),
      m_ptLast{0, 0},
      m_pDrag(nullptr),
      m_pDesktopData(new XDesktopData())
{
    m_rcWindow = kDesktopRect;
}

XDesktop::~XDesktop()
{
    delete m_pDesktopData;
}

XDesktop* XDesktop::GetInstance()
{
    // Never destroyed: windows of an unloaded module must not be deleted
    // from a static destructor at exit.
    static XDesktop* instance = new XDesktop();
    return instance;
}

void XDesktop::Reset()
{
    XDesktop* desktop = GetInstance();
    while (!desktop->m_pData->children.empty()) {
        XWindow* wnd = desktop->m_pData->children.back();
        wnd->Release();
        // A Release override that kept the window alive still loses its
        // place on the desktop (it is leaked rather than freed twice).
        if (!desktop->m_pData->children.empty() && desktop->m_pData->children.back() == wnd)
            desktop->RemoveChild(wnd);
    }
    desktop->m_pDesktopData->addOrder.clear();
    desktop->m_pActive = nullptr;
    desktop->m_pMouse = nullptr;
    desktop->m_pCapture = nullptr;
    desktop->m_pDrag = nullptr;
    desktop->m_ptLast = POINT{0, 0};
    desktop->m_rcWindow = kDesktopRect;
    desktop->m_bVisible = TRUE;
    desktop->m_bEnabled = TRUE;
}

void XDesktop::AddWindow(XWindow* wnd)
{
    if (wnd == nullptr || wnd == this)
        return;
    const bool wasOnDesktop = HasWindow(wnd) != FALSE;
    // Room first, so that a window is either wholly on the desktop or not.
    m_pDesktopData->addOrder.reserve(m_pDesktopData->addOrder.size() + 1);
    AddChild(wnd);
    if (wnd->GetParent() != this)
        return;  // refused (a loop)
    // AddChild keeps an existing place; adding again puts it on top.
    m_pData->children.erase(std::remove(m_pData->children.begin(), m_pData->children.end(), wnd),
                            m_pData->children.end());
    m_pData->children.push_back(wnd);
    wnd->m_bTopLevel = true;
    if (!wasOnDesktop) {
        m_pDesktopData->addOrder.erase(
            std::remove(m_pDesktopData->addOrder.begin(), m_pDesktopData->addOrder.end(), wnd),
            m_pDesktopData->addOrder.end());
        m_pDesktopData->addOrder.push_back(wnd);
    }
}

int32_t XDesktop::GetWindowCount()
{
    return static_cast<int32_t>(m_pData->children.size());
}

XWindow* XDesktop::GetWindowAt(int32_t index)
{
    const std::vector<XWindow*> windows = InAddOrder(m_pDesktopData->addOrder, m_pData->children);
    if (index < 0 || static_cast<size_t>(index) >= windows.size())
        return nullptr;
    return windows[static_cast<size_t>(index)];
}

XWindow* XDesktop::FindTopLevel(int32_t id, int32_t nth)
{
    for (XWindow* wnd : InAddOrder(m_pDesktopData->addOrder, m_pData->children)) {
        if (wnd->GetID() == id && nth-- == 0)
            return wnd;
    }
    return nullptr;
}

BOOL XDesktop::HasWindow(XWindow* wnd)
{
    return std::find(m_pData->children.begin(), m_pData->children.end(), wnd) !=
                   m_pData->children.end()
               ? TRUE
               : FALSE;
}

void XDesktop::SetActiveWindow(XWindow* wnd)
{
    m_pActive = wnd;
    if (wnd == nullptr)
        return;
    XWindow* main = wnd->GetMainWnd();
    if (main != nullptr && HasWindow(main)) {
        m_pData->children.erase(
            std::find(m_pData->children.begin(), m_pData->children.end(), main));
        m_pData->children.push_back(main);
    }
}

XWindow* XDesktop::GetActiveWindow()
{
    return m_pActive;
}

XWindow* XDesktop::GetMouseWindow()
{
    return m_pMouse;
}

XWindow* XDesktop::TopLevelAt(POINT pt)
{
    for (auto it = m_pData->children.rbegin(); it != m_pData->children.rend(); ++it) {
        XWindow* wnd = *it;
        if (wnd->IsVisible() && panelkit::RectContains(wnd->m_rcWindow, pt))
            return wnd;
    }
    return nullptr;
}

void XDesktop::UpdateMouseWindow(POINT pt)
{
    XWindow* top = TopLevelAt(pt);
    XWindow* hit = (top != nullptr && top->IsEnabled()) ? DeepestEnabled(top, pt) : nullptr;
    if (hit == m_pMouse)
        return;
    XWindow* old = m_pMouse;
    m_pMouse = hit;
    if (old != nullptr)
        old->OnMouseExit();
    // The exit handler may have ended the new window (ForgetWindow clears it).
    if (hit != nullptr && m_pMouse == hit)
        hit->OnMouseEnter();
}

void XDesktop::MouseMove(POINT pt, uint32_t buttons)
{
    UpdateMouseWindow(pt);
    // m_ptLast still holds the previous point here: a drag moves by the
    // change since the last event.
    if ((buttons & 1) != 0 && m_pCapture != nullptr) {
        // A part that follows the held button itself (a scroll bar's thumb)
        // takes the move; otherwise its main window does, which may drag.
        XWindow* main = m_pCapture->GetMainWnd();
        if (m_pCapture == main || !m_pCapture->OnMouseMove(1, 0, pt))
            main->OnMouseMove(1, 0, pt);
    } else if (buttons == 0) {
        XWindow* top = TopLevelAt(pt);
        if (top != nullptr && top->IsEnabled())
            top->OnMouseMove(0, 0, pt);
    }
    m_ptLast = pt;
}

void XDesktop::MouseDown(POINT pt, uint32_t button)
{
    UpdateMouseWindow(pt);
    m_ptLast = pt;
    XWindow* top = TopLevelAt(pt);
    if (top == nullptr || !top->IsEnabled())
        return;
    top->OnMouseDown(button, 0, pt);
}

void XDesktop::MouseUp(POINT pt, uint32_t button)
{
    m_ptLast = pt;
    XWindow* capture = m_pCapture;
    if (button == 1) {
        m_pCapture = nullptr;
        m_pDrag = nullptr;
    }
    // The handler may end the capture window; nothing is touched afterwards.
    if (capture != nullptr)
        capture->OnMouseUp(button, 0, pt);
}

void XDesktop::Click(POINT pt)
{
    MouseDown(pt, 1);
    MouseUp(pt, 1);
}

BOOL XDesktop::MouseWheel(POINT pt, int32_t notches)
{
    UpdateMouseWindow(pt);
    m_ptLast = pt;
    XWindow* top = TopLevelAt(pt);
    if (top == nullptr || !top->IsEnabled() || notches == 0)
        return FALSE;
    // The talk control under the point, or the one whose part is there.
    for (XWindow* wnd = DeepestEnabled(top, pt); wnd != nullptr && wnd != this;
         wnd = wnd->GetParent()) {
        XTalk* talk = dynamic_cast<XTalk*>(wnd);
        if (talk == nullptr || talk->GetScrollBar() == nullptr)
            continue;
        XScrollBar* bar = talk->GetScrollBar();
        if (!bar->CanScroll())
            return FALSE;
        bar->ScrollRows(std::clamp(notches, -1000, 1000) * kWheelRows);
        UpdateMouseWindow(pt);
        return TRUE;
    }
    return FALSE;
}

void XDesktop::AccelKey(XWindow* wnd)
{
    if (wnd != nullptr)
        wnd->OnAccelKey(0, 0);
}

void XDesktop::DestroyWindow(XWindow* wnd)
{
    if (wnd != nullptr && wnd != this)
        wnd->Release();
}

void XDesktop::ForgetWindow(XWindow* wnd)
{
    if (m_pActive == wnd)
        m_pActive = nullptr;
    if (m_pMouse == wnd)
        m_pMouse = nullptr;
    if (m_pCapture == wnd)
        m_pCapture = nullptr;
    if (m_pDrag == wnd)
        m_pDrag = nullptr;
    m_pDesktopData->addOrder.erase(
        std::remove(m_pDesktopData->addOrder.begin(), m_pDesktopData->addOrder.end(), wnd),
        m_pDesktopData->addOrder.end());
}

XWindow* XDesktop::GetCaptureWindow()
{
    return m_pCapture;
}

void XDesktop::SetCaptureWindow(XWindow* wnd)
{
    m_pCapture = wnd;
}

XWindow* XDesktop::GetDragWindow()
{
    return m_pDrag;
}

void XDesktop::BeginDrag(XWindow* wnd)
{
    m_pDrag = wnd;
}

POINT XDesktop::GetLastMousePoint()
{
    return m_ptLast;
}

const char* XDesktop::GetClassName()
{
    return "desktop";
}
