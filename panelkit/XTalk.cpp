// The rich-text control: an item container for the lines and a scroll bar,
// both its own children. They carry the id -1 so that a dialog's lookups by
// id never land on them.
#include "ui/Panelkit.h"

namespace {

constexpr int32_t kPartID = -1;

// Makes part a child of owner; a part that cannot be added is freed.
template <class Part>
Part* AddPart(XWindow* owner, Part* part)
{
    part->SetID(kPartID);
    try {
        owner->AddChild(part);
    } catch (...) {
        delete part;
        throw;
    }
    return part;
}

}  // namespace

XTalk::XTalk(XWindow* parent) : XWindow(parent), m_pItems(nullptr), m_pScrollBar(nullptr)
{
    m_pItems = AddPart(this, new XItemContainer(this));
    m_pScrollBar = AddPart(this, new XScrollBar(this));
}

XTalk::~XTalk()
{
    // The parts are children: the plain window's destructor ends them.
    m_pItems = nullptr;
    m_pScrollBar = nullptr;
}

void XTalk::AddLine(const char* markup)
{
    if (m_pItems == nullptr)
        return;
    m_pItems->AddLine(markup);
    SyncScrollBar();
    InvalidRect(nullptr);
}

void XTalk::Clear()
{
    if (m_pItems == nullptr)
        return;
    m_pItems->Clear();
    SyncScrollBar();
    InvalidRect(nullptr);
}

XItemContainer* XTalk::GetItemContainer()
{
    return m_pItems;
}

XScrollBar* XTalk::GetScrollBar()
{
    return m_pScrollBar;
}

void XTalk::OnTaskTextClick(const char*) {}

void XTalk::SetWindowPos(RECT& rc)
{
    XWindow::SetWindowPos(rc);
    RECT items = m_rcWindow;
    if (m_pScrollBar != nullptr) {
        SIZE size{};
        m_pScrollBar->GetSize(size);
        RECT bar{m_rcWindow.right - size.cx, m_rcWindow.top, m_rcWindow.right, m_rcWindow.bottom};
        m_pScrollBar->SetWindowPos(bar);
        m_pScrollBar->SetSize(size);
        items.right -= size.cx;
    }
    if (m_pItems != nullptr) {
        m_pItems->SetWindowPos(items);
        m_pItems->SetMaxWidth(items.right - items.left);
        m_pItems->SetMaxHeight(items.bottom - items.top);
    }
    SyncScrollBar();
}

const char* XTalk::GetClassName()
{
    return "talk";
}

void XTalk::RemoveScrollBar()
{
    if (m_pScrollBar == nullptr)
        return;
    XScrollBar* bar = m_pScrollBar;
    m_pScrollBar = nullptr;
    bar->Release();
    if (m_pItems != nullptr) {
        RECT items = m_rcWindow;
        m_pItems->SetWindowPos(items);
        m_pItems->SetMaxWidth(items.right - items.left);
        m_pItems->SetMaxHeight(items.bottom - items.top);
    }
}

void XTalk::SyncScrollBar()
{
    // The bar reads the content and view heights itself when refreshed.
    if (m_pScrollBar != nullptr)
        m_pScrollBar->Refresh();
}
