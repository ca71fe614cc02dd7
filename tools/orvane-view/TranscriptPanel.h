// The viewer's side panel: the newest transcript lines, drawn with the
// toolkit's text painter.
#pragma once

#include <cstdint>

#include "tools/hostlib/Pixels.h"
#include "tools/orvane-view/PanelText.h"

namespace orvane::view {

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
