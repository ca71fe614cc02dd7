#include "tools/orvane-view/ConfirmBox.h"

#include "tools/orvane-view/TranscriptPanel.h"

namespace orvane::view {

namespace {

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 120;
constexpr int32_t kButtonWidth = 90;
constexpr int32_t kButtonHeight = 24;

bool Contains(const RECT& rc, int32_t x, int32_t y)
{
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

void Button(hostprog::Pixels& px, ITTFont* font, const RECT& rc, const char* label)
{
    px.Fill(rc, hostprog::Rgb{70, 90, 120}, px.Area());
    px.Frame(rc, hostprog::Rgb{200, 210, 230});
    const int32_t x = rc.left + (rc.right - rc.left - font->GetTextWidth(label)) / 2;
    const int32_t y = rc.top + (rc.bottom - rc.top - font->GetTextHeight()) / 2;
    hostprog::PaintGbk(px, font, x, y, label, hostprog::Rgb{255, 255, 255}, rc);
}

}  // namespace

ConfirmBox::ConfirmBox(int32_t desktopWidth, int32_t desktopHeight)
{
    const int32_t left = (desktopWidth - kWidth) / 2;
    const int32_t top = (desktopHeight - kHeight) / 2;
    m_box = RECT{left, top, left + kWidth, top + kHeight};
    const int32_t buttonTop = m_box.bottom - 16 - kButtonHeight;
    const int32_t gap = (kWidth - 2 * kButtonWidth) / 3;
    m_yes = RECT{left + gap, buttonTop, left + gap + kButtonWidth, buttonTop + kButtonHeight};
    m_no = RECT{m_yes.right + gap, buttonTop, m_yes.right + gap + kButtonWidth,
                buttonTop + kButtonHeight};
}

BoxPart ConfirmBox::At(int32_t x, int32_t y) const
{
    if (Contains(m_yes, x, y))
        return BoxPart::Yes;
    if (Contains(m_no, x, y))
        return BoxPart::No;
    return Contains(m_box, x, y) ? BoxPart::Body : BoxPart::Outside;
}

void ConfirmBox::Draw(hostprog::Pixels& px, ITTFont* font, const std::string& text) const
{
    if (font == nullptr)
        return;
    // The desktop behind is dimmed: the box takes every click until answered.
    for (size_t i = 0; i < px.rgba.size(); i += 4)
        for (size_t k = 0; k < 3; ++k)
            px.rgba[i + k] = static_cast<uint8_t>(px.rgba[i + k] / 2);
    px.Fill(m_box, hostprog::Rgb{48, 52, 64}, px.Area());
    px.Frame(m_box, hostprog::Rgb{230, 230, 230});
    const RECT textArea{m_box.left + 16, m_box.top + 16, m_box.right - 16, m_yes.top - 8};
    const int32_t size = font->GetTextHeight();
    int32_t y = textArea.top;
    for (const std::string& row : WrapGbk(text, textArea.right - textArea.left, size)) {
        hostprog::PaintGbk(px, font, textArea.left, y, row.c_str(), hostprog::Rgb{255, 255, 255},
                           textArea);
        y += size + 4;
    }
    Button(px, font, m_yes, "Yes (Y)");
    Button(px, font, m_no, "No (N)");
}

}  // namespace orvane::view
