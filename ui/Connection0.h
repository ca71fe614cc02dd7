// Binds a toolkit click signal to a member operation of a window. The
// signal owns the connection and destroys it.
#pragma once

#include "ui/Panelkit.h"

template <class T>
class Connection0 : public BasicConnection0 {
public:
    typedef void (T::*Handler)();

    Connection0(T* target, Handler handler) : m_pTarget(target), m_pfnHandler(handler) {}
    void* GetTarget() override { return m_pTarget; }
    void Destroy() override { delete this; }
    void Emit() override { (m_pTarget->*m_pfnHandler)(); }

private:
    T* m_pTarget;
    Handler m_pfnHandler;
};

// Connects window's click signal to target->handler; does nothing for a
// missing window.
template <class T>
void ConnectClick(XWindow* window, T* target, void (T::*handler)())
{
    if (window != nullptr)
        window->m_ClickSignal.connect(new Connection0<T>(target, handler));
}
