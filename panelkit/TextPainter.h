// Turns a text drawn with a toolkit font into pixels, for pictures of the
// desktop. The layout stays with the fonts' own metrics (a single-byte
// character half the font size wide, a double-byte one the full size, rows
// as high as the font's text height): each character is painted inside the
// cell those metrics give it, on the baseline of a real font of that size,
// so a window dump's rectangles and a picture's pixels agree.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/Panelkit.h"

namespace panelkit {

// The colours the talk control gives its links (yellow) and the link under
// the mouse (light orange), RGB 5-6-5.
constexpr WPixel kLinkColor = 0xFFE0;
constexpr WPixel kLinkHoverColor = 0xFDEB;
// A DrawString flag bit: the text is underlined on the last row of its cell.
constexpr int32_t kDrawUnderline = 0x100;

// Called with each covered pixel and its coverage, 1 to 255.
using PlotFn = std::function<void(int32_t x, int32_t y, uint8_t coverage)>;

// Whether characters come from a real font (FreeType and the CJK face were
// found); otherwise each character is a filled box in its cell.
PANELKIT_API bool HasGlyphFont();

// Paints a GBK text with its top-left corner at (x, y).
PANELKIT_API void PaintText(ITTFont* font, int32_t x, int32_t y, const char* text, bool underline,
                            const PlotFn& plot);

}  // namespace panelkit
