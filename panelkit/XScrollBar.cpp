// The talk control's vertical scroll bar. It keeps the content and viewport
// heights and a position; moving the position scrolls the owning talk
// control's lines.
#include <algorithm>

#include "ui/Panelkit.h"

namespace {

constexpr int32_t kDefaultWidth = 16;

}  // namespace

XScrollBar::XScrollBar(XWindow* parent)
    : XWindow(parent),
      m_size{kDefaultWidth, 0},
      m_nContent(0),
      m_nView(0),
      m_nPos(0),
      m_nRefreshCount(0)
{
}

XScrollBar::~XScrollBar() = default;

void XScrollBar::GetSize(SIZE& size)
{
    size = m_size;
}

void XScrollBar::SetSize(const SIZE& size)
{
    m_size.cx = std::max<int32_t>(size.cx, 0);
    m_size.cy = std::max<int32_t>(size.cy, 0);
    InvalidRect(nullptr);
}

void XScrollBar::Refresh()
{
    ++m_nRefreshCount;
    // A talk control's bar follows its lines: the content and view heights
    // are read afresh, so a control laid out anew needs nothing else.
    XTalk* talk = dynamic_cast<XTalk*>(GetParent());
    if (talk != nullptr && talk->GetScrollBar() == this && talk->GetItemContainer() != nullptr) {
        XItemContainer* items = talk->GetItemContainer();
        m_nContent = std::max<int32_t>(items->GetMaxHeight(), 0);
        m_nView = std::max<int32_t>(items->GetViewHeight(), 0);
    }
    SetPosition(m_nPos);
}

void XScrollBar::SetRange(int32_t contentHeight, int32_t viewHeight)
{
    m_nContent = std::max<int32_t>(contentHeight, 0);
    m_nView = std::max<int32_t>(viewHeight, 0);
    const int32_t maxPos = std::max<int32_t>(m_nContent - m_nView, 0);
    if (m_nPos > maxPos)
        SetPosition(maxPos);
    InvalidRect(nullptr);
}

int32_t XScrollBar::GetPosition()
{
    return m_nPos;
}

void XScrollBar::SetPosition(int32_t pos)
{
    const int32_t maxPos = std::max<int32_t>(m_nContent - m_nView, 0);
    m_nPos = std::clamp<int32_t>(pos, 0, maxPos);
    XTalk* talk = dynamic_cast<XTalk*>(GetParent());
    if (talk != nullptr && talk->GetScrollBar() == this && talk->GetItemContainer() != nullptr)
        talk->GetItemContainer()->SetScrollOffset(m_nPos);
    InvalidRect(nullptr);
}

const char* XScrollBar::GetClassName()
{
    return "scrollbar";
}
