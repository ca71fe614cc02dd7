#include "tools/orvane-view/PanelText.h"

#include <optional>

#include "host/Encoding.h"

namespace orvane::view {

int LineCollector::overflow(int ch)
{
    if (ch == traits_type::eof())
        return traits_type::not_eof(ch);
    const char c = traits_type::to_char_type(ch);
    if (m_echo != nullptr)
        m_echo->put(c);
    if (c == '\n') {
        m_lines.push_back(std::move(m_current));
        m_current.clear();
        ++m_serial;
        if (m_lines.size() > m_maxLines)
            m_lines.pop_front();
    } else {
        m_current += c;
    }
    return ch;
}

int LineCollector::sync()
{
    if (m_echo != nullptr)
        m_echo->flush();
    return 0;
}

std::string PaintableGbk(const std::string& utf8)
{
    if (std::optional<std::string> whole = host::Utf8ToGbk(utf8))
        return *whole;
    // Character by character: a UTF-8 lead byte and its continuation bytes.
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        size_t n = 1;
        while (i + n < utf8.size() && (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80)
            ++n;
        const std::optional<std::string> one = host::Utf8ToGbk(utf8.substr(i, n));
        out += one ? *one : "?";
        i += n;
    }
    return out;
}

std::vector<std::string> WrapGbk(const std::string& gbk, int32_t width, int32_t size)
{
    std::vector<std::string> rows(1);
    int32_t used = 0;
    for (size_t i = 0; i < gbk.size();) {
        const bool wide = static_cast<unsigned char>(gbk[i]) >= 0x81 && i + 1 < gbk.size();
        const size_t n = wide ? 2 : 1;
        const int32_t w = wide ? size : size / 2;
        if (used + w > width && used > 0) {
            rows.emplace_back("  ");  // a continued row is indented
            used = size;
        }
        rows.back().append(gbk, i, n);
        used += w;
        i += n;
    }
    return rows;
}

}  // namespace orvane::view
