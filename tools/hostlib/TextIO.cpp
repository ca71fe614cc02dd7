#include "tools/hostlib/TextIO.h"

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
    if (m_failed || m_tooLong)
        return false;
    const LineRead got = ReadLimitedLine(m_file, line, m_limit);
    m_failed = got == LineRead::kFailed;
    m_tooLong = got == LineRead::kTooLong;
    return got == LineRead::kLine;
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
