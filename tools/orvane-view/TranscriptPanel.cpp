#include "tools/orvane-view/TranscriptPanel.h"

#include <algorithm>
#include <vector>

namespace orvane::view {

void TranscriptPanel::Draw(hostprog::Pixels& px, const RECT& area, ITTFont* font)
{
    if (font == nullptr)
        return;
    // The width of a double-byte character ("\xB0\xA1" /* 啊 */) and the
    // font's own rows, leading included.
    const int32_t size = font->GetTextWidth("\xB0\xA1");
    const int32_t rowHeight = font->GetTextHeight();
    const int32_t width = area.right - area.left - 8;
    const int32_t rows = (area.bottom - area.top - 4) / rowHeight;
    // Rows from the newest line upwards, until the window's worth above the
    // scroll position is gathered.
    const std::deque<std::string>& lines = m_lines.Lines();
    std::vector<std::string> shown;
    const size_t wanted = static_cast<size_t>(rows + m_scroll);
    for (auto it = lines.rbegin(); it != lines.rend() && shown.size() < wanted; ++it) {
        std::vector<std::string> wrapped = WrapGbk(PaintableGbk(*it), width, size);
        for (auto row = wrapped.rbegin(); row != wrapped.rend(); ++row)
            shown.push_back(std::move(*row));
    }
    if (shown.size() < wanted)
        m_scroll = std::max<int32_t>(0, static_cast<int32_t>(shown.size()) - rows);
    int32_t y = area.bottom - 2 - rowHeight;
    for (size_t i = static_cast<size_t>(m_scroll); i < shown.size() && y >= area.top;
         ++i, y -= rowHeight) {
        const std::string& row = shown[i];
        // Asides (the person's input, steps left out) stand out.
        const hostprog::Rgb colour = row.rfind("> ", 0) == 0      ? hostprog::Rgb{250, 210, 120}
                                     : row.rfind("line ", 0) == 0 ? hostprog::Rgb{150, 200, 250}
                                     : row.rfind("#", 0) == 0     ? hostprog::Rgb{140, 150, 140}
                                                                  : hostprog::Rgb{225, 225, 225};
        hostprog::PaintGbk(px, font, area.left + 4, y, row.c_str(), colour, area);
    }
}

}  // namespace orvane::view
