// A window's place in the tree: its parent and main window, its owned
// children, the window under a point and painting. Children are painted
// and hit-tested in list order, the last one on top.
#include <algorithm>
#include <deque>

#include "panelkit/Internals.h"
#include "panelkit/TextUtil.h"
#include "panelkit/WindowState.h"
#include "ui/Panelkit.h"

XWindow* XWindow::FindWindowByID(int32_t id)
{
    // Breadth first: the nearest window with the id wins, so a window's own
    // children are found before the parts of a compound child.
    std::deque<XWindow*> queue(m_pData->children.begin(), m_pData->children.end());
    while (!queue.empty()) {
        XWindow* wnd = queue.front();
        queue.pop_front();
        if (wnd->m_nID == id)
            return wnd;
        queue.insert(queue.end(), wnd->m_pData->children.begin(), wnd->m_pData->children.end());
    }
    return nullptr;
}

XWindow* XWindow::GetMainWnd()
{
    XDesktop* desktop = GetDesktop();
    XWindow* wnd = this;
    for (int depth = 0; depth < panelkit::kMaxTreeDepth && !wnd->m_bTopLevel; ++depth) {
        XWindow* parent = wnd->m_pParent;
        if (parent == nullptr || parent == desktop)
            break;
        wnd = parent;
    }
    return wnd;
}

XWindow* XWindow::GetParent()
{
    return m_pParent;
}

int32_t XWindow::GetChildCount()
{
    return static_cast<int32_t>(m_pData->children.size());
}

XWindow* XWindow::GetChild(int32_t index)
{
    if (index < 0 || index >= GetChildCount())
        return nullptr;
    return m_pData->children[static_cast<size_t>(index)];
}

void XWindow::AddChild(XWindow* child)
{
    if (child == nullptr)
        return;
    // Refuse loops: neither this window nor any of its ancestors.
    int depth = 0;
    for (XWindow* w = this; w != nullptr && depth < panelkit::kMaxTreeDepth;
         w = w->m_pParent, ++depth) {
        if (w == child)
            return;
    }
    if (std::find(m_pData->children.begin(), m_pData->children.end(), child) !=
        m_pData->children.end()) {
        child->m_pParent = this;
        return;
    }
    if (child->m_pParent != nullptr && child->m_pParent != this)
        child->m_pParent->RemoveChild(child);
    m_pData->children.push_back(child);
    child->m_pParent = this;
    child->m_bTopLevel = false;
    InvalidRect(nullptr);
}

void XWindow::RemoveChild(XWindow* child)
{
    auto found = std::find(m_pData->children.begin(), m_pData->children.end(), child);
    if (found == m_pData->children.end())
        return;
    m_pData->children.erase(found);
    child->m_pParent = nullptr;
    child->m_bTopLevel = false;
    InvalidRect(nullptr);
}

XWindow* XWindow::HitTest(POINT pt)
{
    if (!m_bVisible || !panelkit::RectContains(m_rcWindow, pt))
        return nullptr;
    for (auto it = m_pData->children.rbegin(); it != m_pData->children.rend(); ++it) {
        if (XWindow* hit = (*it)->HitTest(pt))
            return hit;
    }
    return this;
}

void XWindow::Paint(ICanvas* canvas)
{
    if (!m_bVisible || canvas == nullptr)
        return;
    RECT rc = m_rcWindow;
    OnEraseBkgnd(canvas, rc);
    // A background painter may size the window to its pictures.
    rc = m_rcWindow;
    OnDraw(canvas, rc);
    for (size_t i = 0; i < m_pData->children.size(); ++i)
        m_pData->children[i]->Paint(canvas);
}
