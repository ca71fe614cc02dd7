// The desktop every window tree hangs from, and the helper that builds
// windows from their descriptions.
// Included by ui/Panelkit.h, the one header to include; the rules written
// there hold here: no inline code, no standard-library type.
#pragma once

#include <cstdint>

#include "platform/Win32.h"
#include "ui/PanelkitApi.h"
#include "ui/PanelkitWindow.h"
#include "ui/ResObject.h"

struct XDesktopData;

// ---------------------------------------------------------------------------
// The desktop

// The desktop: the root of every window tree. It routes mouse and key
// events to the window under the point.
class PANELKIT_API XDesktop : public XWindow {
public:
    static XDesktop* GetInstance();
    // Ends every top-level window (used by hosts and tests between runs).
    static void Reset();

    void AddWindow(XWindow* wnd);
    int32_t GetWindowCount();
    XWindow* GetWindowAt(int32_t index);
    // The nth top-level window (0: the oldest) with that id, or null.
    XWindow* FindTopLevel(int32_t id, int32_t nth = 0);
    BOOL HasWindow(XWindow* wnd);
    void SetActiveWindow(XWindow* wnd);
    XWindow* GetActiveWindow();
    XWindow* GetMouseWindow();

    // Player input. A click is MouseDown then MouseUp at the same point.
    void MouseMove(POINT pt, uint32_t buttons);
    void MouseDown(POINT pt, uint32_t button);
    void MouseUp(POINT pt, uint32_t button);
    void Click(POINT pt);
    // The mouse wheel turned by notches (positive: towards the end of the
    // text) over the point: the scroll bar of the talk control there moves.
    // False when nothing there scrolls.
    BOOL MouseWheel(POINT pt, int32_t notches);
    void AccelKey(XWindow* wnd);
    // The toolkit ends a window: Release, which deletes it.
    void DestroyWindow(XWindow* wnd);
    // Called by the toolkit when a window goes away.
    void ForgetWindow(XWindow* wnd);
    // The window a mouse press went to; it gets the release.
    XWindow* GetCaptureWindow();
    void SetCaptureWindow(XWindow* wnd);
    // The top-level window a left press is dragging, or null.
    XWindow* GetDragWindow();
    void BeginDrag(XWindow* wnd);
    // Where the mouse was at the previous event (drags move by the change).
    POINT GetLastMousePoint();
    // The top-most visible top-level window containing the point, or null.
    XWindow* TopLevelAt(POINT pt);

    const char* GetClassName() override;

private:
    XDesktop();
    ~XDesktop() override;
    // Makes the window under the point the mouse window, telling the old
    // and the new one.
    void UpdateMouseWindow(POINT pt);
    XWindow* m_pActive;
    XWindow* m_pMouse;
    XWindow* m_pCapture;
    POINT m_ptLast;
    XWindow* m_pDrag;
    XDesktopData* m_pDesktopData;  // the order windows were added in
};

// Builds windows from resource objects. Properties read from a description:
// "class" (window, mainwnd, button, edit, talk, static), "rect" as
// "l,t,r,b" relative to the parent's corner, "text", "visible" (0/1),
// "movable", "enabled", "image", "maxlen", "scrollbar" (0 to leave it out).
class PANELKIT_API CPanelkitHelper {
public:
    CPanelkitHelper();
    ~CPanelkitHelper();
    // Gives a window built by the module its description's properties and id.
    BOOL CreateStockProperty(XWindow* wnd, IResObject* res, int32_t id);
    // Adds under id to parent the window the description asks for, or wnd
    // when it is not null, with the description's properties. Returns it, or
    // null when res is null and no window was given.
    XWindow* CreateXWindow(XWindow* parent, IResObject* res, int32_t id, XWindow* wnd);
};
