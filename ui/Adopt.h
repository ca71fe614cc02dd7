// Windows the module makes are its own until a parent holds them. A step
// that throws before then must not leak the window.
#pragma once

#include "ui/Panelkit.h"

namespace orvane {

// Whether parent holds wnd among its children.
bool HoldsChild(XWindow* parent, XWindow* wnd);

// Runs attach, which should give wnd to parent. When it throws and parent
// does not hold wnd, wnd is deleted; the exception goes on.
template <class Attach>
void AdoptOrDelete(XWindow* parent, XWindow* wnd, Attach&& attach)
{
    try {
        attach();
    } catch (...) {
        if (!HoldsChild(parent, wnd))
            delete wnd;
        throw;
    }
}

}  // namespace orvane
