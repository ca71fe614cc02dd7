#include "ui/StoryTalk.h"

#include <algorithm>

#include "client/Contain.h"

CStoryTalk::CStoryTalk(XWindow* parent) : XTalk(parent)
{
    if (XItemContainer* items = GetItemContainer())
        items->SetAutoWrap(1);
}

CStoryTalk::~CStoryTalk() = default;

void CStoryTalk::SetWindowPos(RECT& rc)
{
    orvane::Contain("CStoryTalk::SetWindowPos()", [&] {
        XWindow::SetWindowPos(rc);
        const RECT whole = m_rcWindow;  // rc may alias a rectangle that moves
        RECT itemRect = whole;
        SIZE size{0, 0};
        if (XScrollBar* bar = GetScrollBar()) {
            bar->GetSize(size);
            // The bar sits on the right; a bar wider than the control leaves the
            // lines no room rather than a negative width.
            const int32_t barLeft = std::max(whole.right - size.cx, whole.left);
            RECT barRect{barLeft, whole.top, whole.right, whole.bottom};
            bar->SetWindowPos(barRect);
            bar->SetSize(size);
            bar->Refresh();
            itemRect.right = barLeft;
        }
        if (XItemContainer* items = GetItemContainer()) {
            items->SetWindowPos(itemRect);
            items->SetMaxWidth(itemRect.right - itemRect.left);
            items->SetMaxHeight(itemRect.bottom - itemRect.top);
        }
    });
}
