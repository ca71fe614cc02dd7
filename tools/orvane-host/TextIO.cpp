#include "tools/orvane-host/TextIO.h"

namespace orvane::hostprog {

void FileSink::Write(std::string_view text)
{
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), m_file) != text.size())
        m_good = false;
}

void FileSink::Flush()
{
    if (std::fflush(m_file) != 0)
        m_good = false;
}

bool FileLineIn::ReadLine(std::string& line)
{
    line.clear();
    bool any = false;
    int c = 0;
    while ((c = std::fgetc(m_file)) != EOF) {
        any = true;
        if (c == '\n')
            return true;
        line.push_back(static_cast<char>(c));
    }
    m_failed = std::ferror(m_file) != 0;
    return any && !m_failed;
}

bool StringLineIn::ReadLine(std::string& line)
{
    if (m_pos >= m_text.size())
        return false;
    size_t end = m_text.find('\n', m_pos);
    if (end == std::string::npos)
        end = m_text.size();
    line.assign(m_text, m_pos, end - m_pos);
    m_pos = end + 1;
    return true;
}

}  // namespace orvane::hostprog
