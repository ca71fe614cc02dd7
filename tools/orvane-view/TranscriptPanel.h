// The viewer's side panel: the readable transcript's lines as they come,
// echoed to another stream too, and drawn with the toolkit's text painter.
#pragma once

#include <cstdint>
#include <deque>
#include <ostream>
#include <streambuf>
#include <string>

#include "tools/orvane-host/Pixels.h"

namespace orvane::view {

// A stream buffer that keeps the last lines written through it and passes
// everything on to an echo stream (which may be null).
class LineCollector : public std::streambuf {
public:
    explicit LineCollector(std::ostream* echo) : m_echo(echo) {}
    const std::deque<std::string>& Lines() const { return m_lines; }
    // Counts every line ever completed, so a change is seen after old ones go.
    uint64_t Serial() const { return m_serial; }

protected:
    int overflow(int ch) override;
    int sync() override;

private:
    static constexpr size_t kMaxLines = 20000;
    std::ostream* m_echo;
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

class TranscriptPanel {
public:
    explicit TranscriptPanel(const LineCollector& lines) : m_lines(lines) {}
    // Scrolls by rows (up: positive), kept within the transcript.
    void Scroll(int32_t rows) { m_scroll = m_scroll + rows < 0 ? 0 : m_scroll + rows; }
    void ScrollToEnd() { m_scroll = 0; }
    // Paints the newest lines that fit into area, the last one at its bottom.
    void Draw(hostprog::Pixels& px, const RECT& area, ITTFont* font);

private:
    const LineCollector& m_lines;
    int32_t m_scroll = 0;  // rows above the newest
};

}  // namespace orvane::view
