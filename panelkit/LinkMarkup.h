// Splits a rich-text line into plain and link fragments. Internal to the
// toolkit library.
#pragma once

#include <string>
#include <vector>

#include "panelkit/TalkLine.h"
#include "ui/Panelkit.h"

namespace panelkit {

// <link url="N" ...>text</link> gives a link fragment "text" with url "N";
// everything else is plain text. Markup that cannot be read (no closing tag,
// no url, an unterminated quote) stays in the line as plain text. Adjacent
// plain text is merged into one fragment; rects are left zero.
std::vector<XTalkFragment> ParseLinkMarkup(const std::string& line);

}  // namespace panelkit
