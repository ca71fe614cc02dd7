// A text box. Its text is limited to a number of bytes; a cut never splits a
// GBK double-byte character, so the text stays valid GBK. It draws its text
// a line to a row, wrapped at its width where a row may end.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "panelkit/Internals.h"
#include "panelkit/LineBreak.h"
#include "panelkit/TextUtil.h"
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
    // One row per line of the text, each wrapped at the box's width by the
    // font's metrics and the common line-breaking rules; rows below the box
    // are clipped away.
    const int32_t rowHeight = std::max<int32_t>(font->GetTextHeight(), 1);
    int32_t y = m_rcWindow.top;
    const std::string& text = m_pData->text;
    std::vector<panelkit::TextUnit> units;
    std::vector<size_t> offsets;
    for (size_t start = 0; start <= text.size() && y < m_rcWindow.bottom;) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        units.clear();
        offsets.clear();
        for (size_t pos = 0; pos < line.size();) {
            const size_t step = panelkit::GbkCharLength(line.c_str(), line.size(), pos);
            const std::string ch = line.substr(pos, step);
            units.push_back({font->GetTextWidth(ch.c_str()), panelkit::ClassOf(ch.c_str(), step)});
            offsets.push_back(pos);
            pos += step;
        }
        offsets.push_back(line.size());
        std::vector<size_t> rows;
        panelkit::RowStarts(units, GetWidth(), rows);
        for (size_t r = 0; r < rows.size() && y < m_rcWindow.bottom; ++r) {
            const size_t from = offsets[rows[r]];
            const size_t to = r + 1 < rows.size() ? offsets[rows[r + 1]] : line.size();
            if (to > from)
                canvas->DrawString(font, m_rcWindow.left, y, line.substr(from, to - from).c_str(),
                                   GetForeColor(), &m_rcWindow, 1);
            y += rowHeight;
        }
        start = end + 1;
    }
    XWindow::OnDraw(canvas, rc);
}

const char* XEdit::GetClassName()
{
    return "edit";
}
