#include "tools/hostlib/Pixels.h"

#include <algorithm>

#include "panelkit/TextPainter.h"

namespace orvane::hostprog {

Pixels Pixels::Filled(int32_t width, int32_t height, Rgb colour)
{
    Pixels px;
    px.width = std::max<int32_t>(width, 1);
    px.height = std::max<int32_t>(height, 1);
    px.rgba.resize(static_cast<size_t>(px.width) * static_cast<size_t>(px.height) * 4);
    for (size_t i = 0; i < px.rgba.size(); i += 4) {
        px.rgba[i] = colour.r;
        px.rgba[i + 1] = colour.g;
        px.rgba[i + 2] = colour.b;
        px.rgba[i + 3] = 255;
    }
    return px;
}

void Pixels::Blend(int32_t x, int32_t y, Rgb colour, uint8_t alpha)
{
    if (x < 0 || y < 0 || x >= width || y >= height || alpha == 0)
        return;
    uint8_t* p =
        &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
    const uint8_t src[3] = {colour.r, colour.g, colour.b};
    for (int k = 0; k < 3; ++k)
        p[k] = static_cast<uint8_t>((src[k] * alpha + p[k] * (255 - alpha)) / 255);
    p[3] = 255;
}

void Pixels::Fill(const RECT& rc, Rgb colour, const RECT& clip)
{
    // RECT's members are LONG, which is not int32_t everywhere.
    const int32_t left = std::max<int32_t>(std::max<int32_t>(rc.left, clip.left), 0);
    const int32_t right = std::min<int32_t>(std::min<int32_t>(rc.right, clip.right), width);
    const int32_t top = std::max<int32_t>(std::max<int32_t>(rc.top, clip.top), 0);
    const int32_t bottom = std::min<int32_t>(std::min<int32_t>(rc.bottom, clip.bottom), height);
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x)
            Blend(x, y, colour, 255);
}

void Pixels::Frame(const RECT& rc, Rgb colour)
{
    // Only the part of the frame inside the picture is walked: a window
    // may be far larger than the picture, or far outside it.
    const int64_t left = rc.left, top = rc.top, right = rc.right, bottom = rc.bottom;
    for (int64_t x = std::max<int64_t>(left, 0); x < std::min<int64_t>(right, width); ++x) {
        Blend(static_cast<int32_t>(x), rc.top, colour, 200);
        Blend(static_cast<int32_t>(x), static_cast<int32_t>(bottom - 1), colour, 200);
    }
    for (int64_t y = std::max<int64_t>(top, 0); y < std::min<int64_t>(bottom, height); ++y) {
        Blend(rc.left, static_cast<int32_t>(y), colour, 200);
        Blend(static_cast<int32_t>(right - 1), static_cast<int32_t>(y), colour, 200);
    }
}

Rgb FromWPixel(WPixel colour)
{
    return Rgb{static_cast<uint8_t>(((colour >> 11) & 0x1F) * 255 / 31),
               static_cast<uint8_t>(((colour >> 5) & 0x3F) * 255 / 63),
               static_cast<uint8_t>((colour & 0x1F) * 255 / 31)};
}

void PaintGbk(Pixels& px, ITTFont* font, int32_t x, int32_t y, const char* text, Rgb colour,
              const RECT& clip, bool underline)
{
    if (font == nullptr || text == nullptr)
        return;
    panelkit::PaintText(
        font, x, y, text, underline, [&](int32_t px_, int32_t py, uint8_t coverage) {
            if (px_ >= clip.left && px_ < clip.right && py >= clip.top && py < clip.bottom)
                px.Blend(px_, py, colour, coverage);
        });
}

}  // namespace orvane::hostprog
