#include "ui/OwnedWindow.h"

namespace orvane {

bool HoldsChild(XWindow* parent, XWindow* wnd)
{
    if (parent == nullptr || wnd == nullptr)
        return false;
    for (int32_t i = 0; i < parent->GetChildCount(); ++i)
        if (parent->GetChild(i) == wnd)
            return true;
    return false;
}

void EndUnbuiltWindow(XWindow* parent, XWindow* wnd) noexcept
{
    if (wnd == nullptr)
        return;
    // A window its parent holds is taken out through the toolkit; one that
    // nothing holds is simply deleted. The plain window's Release: a window
    // that never got built has nothing of its own to save.
    try {
        if (HoldsChild(parent, wnd))
            wnd->XWindow::Release();
        else
            delete wnd;
    } catch (...) {
        // A toolkit that cannot end the window leaves it where it is.
    }
}

}  // namespace orvane
