// Glyphs from FreeType and WenQuanYi Zen Hei where both are there (Linux),
// boxes otherwise (the Windows build has no FreeType). The face is the
// monospaced one of the collection: at the toolkit's sizes its ideographs
// are as wide as the font size and its Latin letters half of it, and its
// ascent and descent fill the rows of the fonts' text height, which is
// exactly the fixed metrics the layout uses.
#include "panelkit/TextPainter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "panelkit/TextUtil.h"

#if defined(PANELKIT_FREETYPE)
#include <ft2build.h>
#include FT_FREETYPE_H
#include <iconv.h>
#endif

namespace panelkit {

namespace {

void PaintBox(int32_t left, int32_t top, int32_t right, int32_t bottom, const PlotFn& plot)
{
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x)
            plot(x, y, 255);
}

#if defined(PANELKIT_FREETYPE)

constexpr const char* kFontPaths[] = {
    "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
};
// In the collection: 0 proportional, 1 monospaced, 2 sharp.
constexpr FT_Long kMonoFace = 1;

class GlyphSource {
public:
    static GlyphSource& Get()
    {
        // Never freed: pictures may be drawn until the process ends.
        static auto* source = new GlyphSource();
        return *source;
    }

    bool Ready() const { return m_face != nullptr && m_decoder != reinterpret_cast<iconv_t>(-1); }

    // The code point of one GBK character, 0 if it decodes to nothing.
    uint32_t Decode(const char* bytes, size_t length)
    {
        if (length == 1)
            return static_cast<unsigned char>(bytes[0]) < 0x80
                       ? static_cast<unsigned char>(bytes[0])
                       : 0;
        char in[2] = {bytes[0], bytes[1]};
        unsigned char out[8] = {};
        char* inPtr = in;
        size_t inLeft = 2;
        char* outPtr = reinterpret_cast<char*>(out);
        size_t outLeft = sizeof out;
        iconv(m_decoder, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_decoder, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
            sizeof out - outLeft < 4)
            return 0;
        return static_cast<uint32_t>(out[0]) | static_cast<uint32_t>(out[1]) << 8 |
               static_cast<uint32_t>(out[2]) << 16 | static_cast<uint32_t>(out[3]) << 24;
    }

    // Paints one character of a size-pixel font centred across its cell,
    // on a baseline that centres the font's ascent and descent in the cell's
    // height; false if the font lacks it.
    bool Paint(uint32_t code, int32_t size, int32_t cellX, int32_t cellY, int32_t cellW,
               int32_t cellH, const PlotFn& plot)
    {
        if (FT_Set_Pixel_Sizes(m_face, 0, static_cast<FT_UInt>(size)) != 0)
            return false;
        const FT_UInt index = FT_Get_Char_Index(m_face, code);
        if (index == 0 || FT_Load_Glyph(m_face, index, FT_LOAD_RENDER) != 0)
            return false;
        const FT_GlyphSlot slot = m_face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const int32_t ascent = static_cast<int32_t>(m_face->size->metrics.ascender >> 6);
        const int32_t descent = static_cast<int32_t>(-(m_face->size->metrics.descender >> 6));
        const int32_t baseline = cellY + ascent + (cellH - ascent - descent) / 2;
        const int32_t advance = static_cast<int32_t>(slot->advance.x >> 6);
        const int32_t originX = cellX + (cellW - advance) / 2;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int32_t y = baseline - slot->bitmap_top + static_cast<int32_t>(row);
            if (y < cellY || y >= cellY + cellH)
                continue;
            const unsigned char* line = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const int32_t x = originX + slot->bitmap_left + static_cast<int32_t>(col);
                if (x < cellX || x >= cellX + cellW)
                    continue;
                uint8_t coverage = 0;
                if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                    coverage = (line[col / 8] & (0x80 >> (col % 8))) != 0 ? 255 : 0;
                else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
                    coverage = line[col];
                if (coverage != 0)
                    plot(x, y, coverage);
            }
        }
        return true;
    }

    std::mutex& Lock() { return m_lock; }

private:
    GlyphSource()
    {
        if (FT_Init_FreeType(&m_library) != 0)
            return;
        std::string chosen;
        if (const char* env = std::getenv("PANELKIT_FONT"); env != nullptr && *env != 0)
            chosen = env;
        for (const char* path : kFontPaths) {
            if (!chosen.empty())
                break;
            chosen = path;
        }
        if (FT_New_Face(m_library, chosen.c_str(), kMonoFace, &m_face) != 0 &&
            FT_New_Face(m_library, chosen.c_str(), 0, &m_face) != 0)
            m_face = nullptr;
        m_decoder = iconv_open("UTF-32LE", "GBK");
    }

    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
    iconv_t m_decoder = reinterpret_cast<iconv_t>(-1);
    std::mutex m_lock;
};

#endif

}  // namespace

bool HasGlyphFont()
{
#if defined(PANELKIT_FREETYPE)
    return GlyphSource::Get().Ready();
#else
    return false;
#endif
}

void PaintText(ITTFont* font, int32_t x, int32_t y, const char* text, bool underline,
               const PlotFn& plot)
{
    if (font == nullptr || text == nullptr)
        return;
    // The cell is a row of the layout; the glyphs are of the font's size,
    // the width of a double-byte character ("\xB0\xA1" /* 啊 */).
    const int32_t height = font->GetTextHeight();
    const int32_t size = std::max<int32_t>(font->GetTextWidth("\xB0\xA1"), 1);
    const size_t length = std::strlen(text);
#if defined(PANELKIT_FREETYPE)
    GlyphSource& source = GlyphSource::Get();
    std::unique_lock<std::mutex> hold(source.Lock());
#endif
    const int32_t start = x;
    for (size_t pos = 0; pos < length;) {
        const size_t step = GbkCharLength(text, length, pos);
        char cell[3] = {text[pos], step == 2 ? text[pos + 1] : '\0', '\0'};
        const int32_t width = font->GetTextWidth(cell);
        // Blanks and control characters (a lone line feed stands for a
        // missing text) show nothing.
        bool painted = step == 1 && static_cast<unsigned char>(cell[0]) <= ' ';
#if defined(PANELKIT_FREETYPE)
        if (!painted && source.Ready()) {
            const uint32_t code = source.Decode(cell, step);
            painted = code != 0 && source.Paint(code, size, x, y, width, height, plot);
        }
#endif
        // A character the font cannot show still takes its place.
        if (!painted) {
            const int32_t top = y + (height - size) / 2;
            PaintBox(x + 1, top + 1, x + width - 1, top + size - 1, plot);
        }
        x += width;
        pos += step;
    }
    if (underline)
        for (int32_t ux = start; ux < x; ++ux)
            plot(ux, y + height - 1, 255);
}

}  // namespace panelkit
