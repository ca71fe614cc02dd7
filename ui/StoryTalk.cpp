#include "ui/StoryTalk.h"

CStoryTalk::CStoryTalk(XWindow* parent) : XTalk(parent)
{
    if (XItemContainer* items = GetItemContainer())
        items->SetAutoWrap(1);
}

CStoryTalk::~CStoryTalk() = default;

void CStoryTalk::SetWindowPos(RECT& rc)
{
    XWindow::SetWindowPos(rc);
    const RECT whole = m_rcWindow;  // rc may alias a rectangle that moves
    RECT itemRect = whole;
    SIZE size{0, 0};
    XScrollBar* bar = GetScrollBar();
    if (bar != nullptr) {
        bar->GetSize(size);
        RECT barRect{whole.right - size.cx, whole.top, whole.right, whole.bottom};
        bar->SetWindowPos(barRect);
        bar->SetSize(size);
        itemRect.right -= size.cx;
    }
    XItemContainer* items = GetItemContainer();
    if (items == nullptr)
        return;
    items->SetWindowPos(itemRect);
    items->SetMaxWidth(itemRect.right - itemRect.left);
    items->SetMaxHeight(itemRect.bottom - itemRect.top);
    if (bar != nullptr) {
        // The viewport changed: the bar follows the new view of the lines.
        bar->SetRange(items->GetMaxHeight(), items->GetViewHeight());
        bar->Refresh();
    }
}
