// A text box. Its text is limited to a number of bytes; a cut never splits a
// GBK double-byte character, so the text stays valid GBK.
#include <cstring>

#include "panelkit/TextUtil.h"
#include "ui/Panelkit.h"

XEdit::XEdit(XWindow* parent) : XWindow(parent), m_nMaxLen(0) {}

XEdit::~XEdit() = default;

void XEdit::SetMaxLen(int32_t maxLen)
{
    // 0 or less: no limit.
    m_nMaxLen = maxLen > 0 ? maxLen : 0;
    if (m_nMaxLen > 0 && m_strText.size() > static_cast<size_t>(m_nMaxLen)) {
        const std::string text = m_strText;
        SetWindowTextA(text.c_str());
    }
}

int32_t XEdit::GetMaxLen()
{
    return m_nMaxLen;
}

void XEdit::SetWindowTextA(const char* text)
{
    if (text == nullptr || m_nMaxLen <= 0) {
        XWindow::SetWindowTextA(text);
        return;
    }
    const size_t length = std::strlen(text);
    const size_t kept = panelkit::GbkCutLength(text, length, static_cast<size_t>(m_nMaxLen));
    const std::string cut(text, kept);
    XWindow::SetWindowTextA(cut.c_str());
}

void XEdit::OnDraw(ICanvas* canvas, RECT& rc)
{
    if (canvas != nullptr && !m_strText.empty())
        canvas->DrawString(GetFont(), m_rcWindow.left, m_rcWindow.top, m_strText.c_str(),
                           GetForeColor(), &m_rcWindow, 1);
    XWindow::OnDraw(canvas, rc);
}

const char* XEdit::GetClassName()
{
    return "edit";
}
