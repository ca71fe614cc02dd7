#include "ui/Adopt.h"

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

}  // namespace orvane
