// A push button: it takes the press itself and fires its click signal when
// the release comes back over it.
#include "panelkit/Internals.h"
#include "ui/Panelkit.h"

XButton::XButton(XWindow* parent) : XWindow(parent), m_bPressed(FALSE) {}

XButton::~XButton() = default;

BOOL XButton::OnMouseDown(uint32_t a, uint32_t b, POINT pt)
{
    if (a != 1)
        return XWindow::OnMouseDown(a, b, pt);
    // Buttons never start a drag, even inside a movable window.
    m_bPressed = TRUE;
    GetDesktop()->SetCaptureWindow(this);
    InvalidRect(nullptr);
    return TRUE;
}

BOOL XButton::OnMouseUp(uint32_t a, uint32_t b, POINT pt)
{
    if (a == 1 && m_bPressed) {
        m_bPressed = FALSE;
        InvalidRect(nullptr);
    }
    // Last: a click handler may end this button.
    return XWindow::OnMouseUp(a, b, pt);
}

void XButton::OnMouseEnter()
{
    InvalidRect(nullptr);
}

void XButton::OnMouseExit()
{
    InvalidRect(nullptr);
}

void XButton::OnDraw(ICanvas* canvas, RECT& rc)
{
    ITTFont* font = GetFont();
    if (canvas != nullptr && font != nullptr && !m_pData->text.empty()) {
        const int32_t x =
            m_rcWindow.left + (GetWidth() - font->GetTextWidth(m_pData->text.c_str())) / 2;
        const int32_t y = m_rcWindow.top + (GetHeight() - font->GetTextHeight()) / 2;
        canvas->DrawString(font, x, y, m_pData->text.c_str(), GetForeColor(), &m_rcWindow, 1);
    }
    XWindow::OnDraw(canvas, rc);
}

const char* XButton::GetClassName()
{
    return "button";
}

BOOL XButton::IsPressed()
{
    return m_bPressed;
}
