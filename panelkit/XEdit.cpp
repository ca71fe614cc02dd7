// A text box. Its text is limited to a number of bytes; a cut never splits a
// GBK double-byte character, so the text stays valid GBK. It draws its text
// a line to a row, wrapped at its width.
#include <algorithm>
#include <cstring>
#include <string>

#include "panelkit/TextUtil.h"
#include "panelkit/Internals.h"
#include "ui/Panelkit.h"

XEdit::XEdit(XWindow* parent) : XWindow(parent), m_nMaxLen(0) {}

XEdit::~XEdit() = default;

void XEdit::SetMaxLen(int32_t maxLen)
{
    // 0 or less: no limit.
    m_nMaxLen = maxLen > 0 ? maxLen : 0;
    if (m_nMaxLen > 0 && m_pData->text.size() > static_cast<size_t>(m_nMaxLen)) {
        const std::string text = m_pData->text;
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
    ITTFont* font = GetFont();
    if (canvas == nullptr || m_pData->text.empty() || font == nullptr) {
        XWindow::OnDraw(canvas, rc);
        return;
    }
    // One row per line of the text, each row wrapped at the box's width by
    // the font's metrics; rows below the box are clipped away.
    const int32_t rowHeight = std::max<int32_t>(font->GetTextHeight(), 1);
    const int32_t width = GetWidth();
    int32_t y = m_rcWindow.top;
    const std::string& text = m_pData->text;
    size_t start = 0;
    while (start <= text.size() && y < m_rcWindow.bottom) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        do {
            size_t cut = 0;
            int32_t used = 0;
            while (cut < line.size()) {
                const size_t step = panelkit::GbkCharLength(line.c_str(), line.size(), cut);
                const std::string ch = line.substr(cut, step);
                const int32_t w = font->GetTextWidth(ch.c_str());
                // A row always takes one character, however narrow the box.
                if (cut > 0 && used + w > width)
                    break;
                used += w;
                cut += step;
            }
            if (cut > 0)
                canvas->DrawString(font, m_rcWindow.left, y, line.substr(0, cut).c_str(),
                                   GetForeColor(), &m_rcWindow, 1);
            line.erase(0, cut);
            y += rowHeight;
        } while (!line.empty() && y < m_rcWindow.bottom);
        start = end + 1;
    }
    XWindow::OnDraw(canvas, rc);
}

const char* XEdit::GetClassName()
{
    return "edit";
}
