#include "panelkit/WindowState.h"

namespace panelkit {

bool AcceptsInput(XWindow* wnd)
{
    int depth = 0;
    for (XWindow* w = wnd; w != nullptr && depth < kMaxTreeDepth; w = w->GetParent(), ++depth) {
        if (!w->IsVisible() || !w->IsEnabled())
            return false;
    }
    return wnd != nullptr;
}

bool IsDescendant(XWindow* wnd, XWindow* ancestor)
{
    if (wnd == nullptr)
        return false;
    int depth = 0;
    for (XWindow* w = wnd->GetParent(); w != nullptr && depth < kMaxTreeDepth;
         w = w->GetParent(), ++depth) {
        if (w == ancestor)
            return true;
    }
    return false;
}

}  // namespace panelkit
