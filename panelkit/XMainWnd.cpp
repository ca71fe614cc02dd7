// A top-level window that hands presses to the child under the mouse and
// can be dragged.
#include "panelkit/WindowState.h"
#include "ui/Panelkit.h"

XMainWnd::XMainWnd() : XWindow() {}

XMainWnd::XMainWnd(XWindow* parent) : XWindow(parent) {}

XMainWnd::~XMainWnd() = default;

BOOL XMainWnd::OnMouseDown(uint32_t a, uint32_t b, POINT pt)
{
    XWindow* target = GetMouseMove();
    if (target != nullptr && target != this && panelkit::IsDescendant(target, this) &&
        target->IsEnabled() && !target->IsMainWindow())
        return target->OnMouseDown(a, b, pt);
    return XWindow::OnMouseDown(a, b, pt);
}

BOOL XMainWnd::OnMouseMove(uint32_t a, uint32_t, POINT pt)
{
    XDesktop* desktop = GetDesktop();
    if (a != 1 || desktop->GetDragWindow() != this || !IsMovable())
        return FALSE;
    const POINT last = desktop->GetLastMousePoint();
    MoveWindow(pt.x - last.x, pt.y - last.y);
    return TRUE;
}

const char* XMainWnd::GetClassName()
{
    return "mainwnd";
}
