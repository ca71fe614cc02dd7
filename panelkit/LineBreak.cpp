#include "panelkit/LineBreak.h"

#include <algorithm>
#include <array>

namespace panelkit {

namespace {

// GBK codes (lead byte << 8 | trail byte) of the double-byte punctuation.
constexpr std::array<uint16_t, 25> kCloseWide = {
    0xA3AC /* ， */, 0xA1A3 /* 。 */, 0xA1A2 /* 、 */, 0xA3BB /* ； */, 0xA3BA /* ： */,
    0xA3BF /* ？ */, 0xA3A1 /* ！ */, 0xA3A9 /* ） */, 0xA1B9 /* 」 */, 0xA1BB /* 』 */,
    0xA1B7 /* 》 */, 0xA1B5 /* 〉 */, 0xA1BF /* 】 */, 0xA1B3 /* 〕 */, 0xA1BD /* 〗 */,
    0xA1B1 /* ” */,  0xA1AF /* ’ */,  0xA3AE /* ． */, 0xA1AD /* … */,  0xA1AA /* — */,
    0xA3A5 /* ％ */, 0xA3DD /* ］ */, 0xA3FD /* ｝ */, 0xA1E6 /* ℃ */,  0xA1A4 /* · */,
};
constexpr std::array<uint16_t, 13> kOpenWide = {
    0xA3A8 /* （ */, 0xA1B8 /* 「 */, 0xA1BA /* 『 */, 0xA1B6 /* 《 */, 0xA1B4 /* 〈 */,
    0xA1BE /* 【 */, 0xA1B2 /* 〔 */, 0xA1BC /* 〖 */, 0xA1B0 /* “ */,  0xA1AE /* ‘ */,
    0xA3A4 /* ￥ */, 0xA3DB /* ［ */, 0xA3FB /* ｛ */,
};

bool IsOpening(BreakClass c)
{
    return c == BreakClass::Open || c == BreakClass::OpenWide;
}

bool IsClosing(BreakClass c)
{
    return c == BreakClass::Close || c == BreakClass::CloseWide;
}

bool IsWide(BreakClass c)
{
    return c == BreakClass::Ideo || c == BreakClass::OpenWide || c == BreakClass::CloseWide;
}

// A break between characters for a run that has no break of its own: just
// before `at`, moved back so that the new row does not start with closing
// punctuation and this one does not end with opening punctuation, as long
// as the row keeps a character.
size_t ForcedBreak(std::span<const TextUnit> units, size_t start, size_t at)
{
    size_t cut = at;
    for (int step = 0; step < 3 && cut - 1 > start; ++step) {
        if (IsClosing(units[cut].cls) || IsOpening(units[cut - 1].cls))
            --cut;
        else
            break;
    }
    return cut;
}

}  // namespace

BreakClass ClassOf(const char* text, size_t length)
{
    if (length >= 2) {
        const uint16_t code = static_cast<uint16_t>(static_cast<unsigned char>(text[0]) << 8 |
                                                    static_cast<unsigned char>(text[1]));
        if (std::find(kCloseWide.begin(), kCloseWide.end(), code) != kCloseWide.end())
            return BreakClass::CloseWide;
        if (std::find(kOpenWide.begin(), kOpenWide.end(), code) != kOpenWide.end())
            return BreakClass::OpenWide;
        return BreakClass::Ideo;
    }
    const unsigned char c = length == 1 ? static_cast<unsigned char>(text[0]) : ' ';
    if (c <= ' ' || c == 0x7F)
        return BreakClass::Space;
    switch (c) {
        case '(':
        case '[':
        case '{':
            return BreakClass::Open;
        case ',':
        case '.':
        case ';':
        case ':':
        case '!':
        case '?':
        case ')':
        case ']':
        case '}':
        case '%':
            return BreakClass::Close;
        case '\'':
        case '"':
            return BreakClass::Quote;
        case '-':
            return BreakClass::Hyphen;
        default:
            return BreakClass::Alpha;
    }
}

bool BreakAllowed(BreakClass before, BreakClass after)
{
    if (after == BreakClass::Space || IsClosing(after))
        return false;
    if (before == BreakClass::Space)
        return true;
    if (IsOpening(before))
        return false;
    if (before == BreakClass::Quote || after == BreakClass::Quote)
        return false;
    if (IsWide(before) || IsWide(after))
        return true;
    return before == BreakClass::Hyphen && after == BreakClass::Alpha;
}

void RowStarts(std::span<const TextUnit> units, int32_t maxWidth, std::vector<size_t>& starts)
{
    starts.clear();
    starts.reserve(units.size() + 1);
    starts.push_back(0);
    if (maxWidth <= 0)
        return;
    size_t start = 0;
    size_t lastBreak = 0;  // a break inside the current row, 0 when none
    bool ink = false;      // the row holds a character that is not a space
    int64_t x = 0;
    for (size_t i = 0; i < units.size();) {
        const TextUnit& unit = units[i];
        if (i > start && ink && BreakAllowed(units[i - 1].cls, unit.cls))
            lastBreak = i;
        if (unit.cls != BreakClass::Space && ink && x + unit.width > maxWidth) {
            const size_t next = lastBreak > start ? lastBreak : ForcedBreak(units, start, i);
            starts.push_back(next);
            start = i = next;
            lastBreak = 0;
            ink = false;
            x = 0;
            continue;
        }
        ink = ink || unit.cls != BreakClass::Space;
        x += std::max<int32_t>(unit.width, 0);
        ++i;
    }
}

}  // namespace panelkit
