#include "tools/hostlib/HumanText.h"

#include <algorithm>
#include <cstdio>

namespace orvane::hostprog {

namespace {

// Decodes one UTF-8 character at i (the text is valid UTF-8: it comes from
// our own conversion or from the JSON parser).
char32_t Decode(const std::string& s, size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < n && i + k < s.size(); ++k)
        c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += n;
    return c;
}

bool IsWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

std::string Escaped(const std::string& utf8)
{
    std::string out;
    for (char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\t') {
            out += "\\t";
        } else if (b < 0x20 || b == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", b);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string Shown(const nlohmann::ordered_json& text)
{
    if (text.is_null())
        return "(null)";
    if (text.is_string())
        return Escaped(text.get<std::string>());
    if (text.is_object() && text.contains("hex"))
        return "<not GBK: hex " + text["hex"].get<std::string>() + ">";
    return text.dump();
}

std::string Quoted(const nlohmann::ordered_json& text)
{
    return text.is_string() ? "\"" + Shown(text) + "\"" : Shown(text);
}

std::vector<std::string> ShownLines(const nlohmann::ordered_json& text)
{
    if (!text.is_string())
        return {Shown(text)};
    const std::string s = text.get<std::string>();
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
            lines.push_back(Escaped(cur));
            cur.clear();
        } else {
            cur += s[i];
        }
    }
    lines.push_back(Escaped(cur));
    return lines;
}

size_t DisplayWidth(const std::string& utf8)
{
    size_t width = 0;
    size_t i = 0;
    while (i < utf8.size())
        width += IsWide(Decode(utf8, i)) ? 2 : 1;
    return width;
}

std::vector<std::string> Box(const std::string& title, const std::vector<std::string>& lines)
{
    size_t inner = DisplayWidth(title) + 4;
    for (const std::string& l : lines)
        inner = std::max(inner, DisplayWidth(l) + 2);
    std::vector<std::string> out;
    out.push_back("+- " + title + " " + std::string(inner - DisplayWidth(title) - 3, '-') + "+");
    for (const std::string& l : lines)
        out.push_back("| " + l + std::string(inner - DisplayWidth(l) - 1, ' ') + "|");
    out.push_back("+" + std::string(inner, '-') + "+");
    return out;
}

}  // namespace orvane::hostprog
