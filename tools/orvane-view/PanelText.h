// The text side of the viewer's panel, apart from any drawing: the
// transcript's lines as they come (echoed to another stream too), and lines
// made ready for the toolkit's text painter.
#pragma once

#include <cstdint>
#include <deque>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace orvane::view {

// A stream buffer that keeps the last lines written through it and passes
// everything on to an echo stream (which may be null).
class LineCollector : public std::streambuf {
public:
    explicit LineCollector(std::ostream* echo, size_t maxLines = 20000)
        : m_echo(echo), m_maxLines(maxLines)
    {
    }
    const std::deque<std::string>& Lines() const { return m_lines; }
    // Counts every line ever completed, so a change is seen after old ones go.
    uint64_t Serial() const { return m_serial; }

protected:
    int overflow(int ch) override;
    int sync() override;

private:
    std::ostream* m_echo;
    size_t m_maxLines;
    std::string m_current;
    std::deque<std::string> m_lines;
    uint64_t m_serial = 0;
};

// A UTF-8 line as the painter takes it, in GBK; a character GBK lacks shows
// as '?'.
std::string PaintableGbk(const std::string& utf8);

// The lines broken to fit `width` pixels of a font of that size (a
// single-byte character half the size wide, a double-byte one the size).
std::vector<std::string> WrapGbk(const std::string& gbk, int32_t width, int32_t size);

}  // namespace orvane::view
