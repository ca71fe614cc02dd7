#include "panelkit/LinkMarkup.h"

namespace panelkit {

namespace {

const std::string kOpen = "<link";
const std::string kClose = "</link>";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

// Reads the attributes of an opening tag that starts at `open` (at "<link").
// On success gives the url and the position just after the closing '>'.
bool ReadOpeningTag(const std::string& line, size_t open, std::string& url, size_t& end)
{
    size_t pos = open + kOpen.size();
    // "<linkfoo" is not our tag.
    if (pos >= line.size() || !(IsBlank(line[pos]) || line[pos] == '>'))
        return false;
    bool haveUrl = false;
    while (true) {
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size())
            return false;
        if (line[pos] == '>')
            break;
        const size_t nameStart = pos;
        while (pos < line.size() && IsNameChar(line[pos]))
            ++pos;
        if (pos == nameStart)
            return false;
        const std::string name = line.substr(nameStart, pos - nameStart);
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] != '=')
            return false;
        ++pos;
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size())
            return false;
        std::string value;
        if (line[pos] == '"' || line[pos] == '\'') {
            const size_t closeQuote = line.find(line[pos], pos + 1);
            if (closeQuote == std::string::npos)
                return false;
            value = line.substr(pos + 1, closeQuote - pos - 1);
            pos = closeQuote + 1;
        } else {
            const size_t valueStart = pos;
            while (pos < line.size() && !IsBlank(line[pos]) && line[pos] != '>')
                ++pos;
            value = line.substr(valueStart, pos - valueStart);
        }
        if (name == "url") {
            url = value;
            haveUrl = true;
        }
    }
    // A link that leads nowhere is not a link.
    if (!haveUrl || url.empty())
        return false;
    end = pos + 1;
    return true;
}

void AppendPlain(std::vector<XTalkFragment>& out, const std::string& text)
{
    if (text.empty())
        return;
    if (!out.empty() && !out.back().isLink) {
        out.back().text += text;
        return;
    }
    out.push_back(XTalkFragment{text, false, std::string(), RECT{0, 0, 0, 0}});
}

}  // namespace

std::vector<XTalkFragment> ParseLinkMarkup(const std::string& line)
{
    std::vector<XTalkFragment> out;
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t open = line.find(kOpen, pos);
        if (open == std::string::npos) {
            AppendPlain(out, line.substr(pos));
            break;
        }
        AppendPlain(out, line.substr(pos, open - pos));
        std::string url;
        size_t textStart = 0;
        if (!ReadOpeningTag(line, open, url, textStart)) {
            // Keep the '<' as text and look for the next tag after it.
            AppendPlain(out, line.substr(open, 1));
            pos = open + 1;
            continue;
        }
        const size_t close = line.find(kClose, textStart);
        const size_t nextOpen = line.find(kOpen, textStart);
        if (close == std::string::npos || (nextOpen != std::string::npos && nextOpen < close)) {
            // Unclosed before the next tag or the end: the tag is plain text.
            AppendPlain(out, line.substr(open, 1));
            pos = open + 1;
            continue;
        }
        out.push_back(
            XTalkFragment{line.substr(textStart, close - textStart), true, url, RECT{0, 0, 0, 0}});
        pos = close + kClose.size();
    }
    return out;
}

}  // namespace panelkit
