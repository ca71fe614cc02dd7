#include "panelkit/TextUtil.h"

#include <algorithm>
#include <climits>

namespace panelkit {

namespace {

bool IsLead(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

bool IsTrail(unsigned char c)
{
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads one signed decimal number at text[pos], skipping blanks around it.
bool ReadNumber(const std::string& text, size_t& pos, int32_t& value)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int64_t magnitude = 0;
    size_t digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > static_cast<int64_t>(INT32_MAX) + 1)
            return false;
        ++pos;
        ++digits;
    }
    if (digits == 0)
        return false;
    const int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX || signedValue < INT32_MIN)
        return false;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    value = static_cast<int32_t>(signedValue);
    return true;
}

}  // namespace

size_t GbkCharLength(const char* text, size_t length, size_t pos)
{
    if (pos + 1 < length && IsLead(static_cast<unsigned char>(text[pos])) &&
        IsTrail(static_cast<unsigned char>(text[pos + 1])))
        return 2;
    return 1;
}

size_t GbkCutLength(const char* text, size_t length, size_t maxBytes)
{
    size_t pos = 0;
    while (pos < length) {
        const size_t step = GbkCharLength(text, length, pos);
        if (pos + step > maxBytes)
            break;
        pos += step;
    }
    return pos;
}

bool ParseInt(const char* text, int32_t& value)
{
    if (text == nullptr)
        return false;
    const std::string s(text);
    size_t pos = 0;
    int32_t parsed = 0;
    if (!ReadNumber(s, pos, parsed) || pos != s.size())
        return false;
    value = parsed;
    return true;
}

bool ParseRect(const char* text, int32_t out[4])
{
    if (text == nullptr)
        return false;
    const std::string s(text);
    size_t pos = 0;
    int32_t values[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        if (!ReadNumber(s, pos, values[i]))
            return false;
        if (i < 3) {
            if (pos >= s.size() || s[pos] != ',')
                return false;
            ++pos;
        }
    }
    if (pos != s.size())
        return false;
    for (int i = 0; i < 4; ++i)
        out[i] = values[i];
    return true;
}

int32_t ClampCoord(int64_t v)
{
    constexpr int64_t kCoordLimit = int64_t{1} << 28;
    return static_cast<int32_t>(std::clamp(v, -kCoordLimit, kCoordLimit));
}

bool RectContains(const RECT& rc, POINT pt)
{
    return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
}

}  // namespace panelkit
