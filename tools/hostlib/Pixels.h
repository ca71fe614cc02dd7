// An RGBA picture being painted: the desktop pictures and the viewer's own
// panels are drawn with these, so that both look alike.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/Panelkit.h"

namespace orvane::hostprog {

struct Rgb {
    uint8_t r, g, b;
};

struct Pixels {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;  // rows top to bottom

    // A picture of that size in one colour.
    static Pixels Filled(int32_t width, int32_t height, Rgb colour);
    // Points outside the picture are left alone.
    void Blend(int32_t x, int32_t y, Rgb colour, uint8_t alpha);
    // The part of rc inside clip.
    void Fill(const RECT& rc, Rgb colour, const RECT& clip);
    // A thin frame just inside rc.
    void Frame(const RECT& rc, Rgb colour);
    RECT Area() const { return RECT{0, 0, width, height}; }
};

// The toolkit's 16-bit colour (5 bits red, 6 green, 5 blue).
Rgb FromWPixel(WPixel colour);

// Paints a GBK text through the toolkit's text painter, top-left at (x, y),
// only inside clip.
void PaintGbk(Pixels& px, ITTFont* font, int32_t x, int32_t y, const char* text, Rgb colour,
              const RECT& clip, bool underline = false);

}  // namespace orvane::hostprog
