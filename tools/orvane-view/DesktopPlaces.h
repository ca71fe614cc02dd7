// Where on the desktop a person (or a test driving the viewer with real X
// input) finds what can be clicked: the links of the text controls, their
// scroll bars and the task log's note box, read from the toolkit's layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::view {

// One line per place, e.g. "link 1 of window 163 at (288,220)-(360,236)";
// a link outside the visible part of its control says where it lies instead.
std::vector<std::string> ClickablePlaces();

// Whether the point is on a link of a shown text control.
bool OverLink(int32_t x, int32_t y);

}  // namespace orvane::view
