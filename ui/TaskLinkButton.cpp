#include "ui/TaskLinkButton.h"

#include "client/Contain.h"

namespace orvane {

int32_t g_nLastPressedTaskID = 0;
ITTFont* g_pTaskFont = nullptr;

}  // namespace orvane

CTaskLinkButton::CTaskLinkButton(XWindow* parent)
    : XButton(parent), m_nTaskID(0), m_bHover(0), m_pHoverImage(nullptr)
{
}

CTaskLinkButton::~CTaskLinkButton() = default;

void CTaskLinkButton::SetCaption(const char* text)
{
    if (text != nullptr)
        m_strCaption = text;
}

BOOL CTaskLinkButton::OnMouseDown(uint32_t a, uint32_t b, POINT pt)
{
    return orvane::Contain("CTaskLinkButton::OnMouseDown()", FALSE, [&]() -> BOOL {
        // Set first: the dialog reads it when the click signal fires.
        if (a == 1)
            orvane::g_nLastPressedTaskID = m_nTaskID;
        return XButton::OnMouseDown(a, b, pt);
    });
}

void CTaskLinkButton::OnMouseEnter()
{
    orvane::Contain("CTaskLinkButton::OnMouseEnter()", [&] {
        XButton::OnMouseEnter();
        m_bHover = 1;
    });
}

void CTaskLinkButton::OnMouseExit()
{
    orvane::Contain("CTaskLinkButton::OnMouseExit()", [&] {
        XButton::OnMouseExit();
        m_bHover = 0;
    });
}

void CTaskLinkButton::OnDraw(ICanvas* canvas, RECT& rc)
{
    orvane::Contain("CTaskLinkButton::OnDraw()", [&] {
        ITTFont* own = GetFont();
        if (canvas != nullptr && own != nullptr && !m_strCaption.empty()) {
            // Centred by the button's own font metrics, drawn in the task font.
            const int32_t x =
                (GetWidth() - own->GetTextWidth(m_strCaption.c_str())) / 2 + m_rcWindow.left;
            const int32_t y = (GetHeight() - own->GetTextHeight()) / 2 + m_rcWindow.top;
            ITTFont* font = orvane::g_pTaskFont != nullptr ? orvane::g_pTaskFont : own;
            const RECT clip = rc;
            canvas->DrawString(font, x, y, m_strCaption.c_str(), GetForeColor(), &clip, 1);
        }
        XWindow::OnDraw(canvas, rc);
    });
}

void CTaskLinkButton::OnEraseBkgnd(ICanvas* canvas, RECT& rc)
{
    orvane::Contain("CTaskLinkButton::OnEraseBkgnd()", [&] {
        XWindow::OnEraseBkgnd(canvas, rc);
        RECT own;
        GetWindowRect(own);
        if (canvas != nullptr && m_bHover != 0 && m_pHoverImage != nullptr)
            m_pHoverImage->Draw(canvas, own.left - kHoverInset, own.top - kHoverInset, 0);
    });
}
