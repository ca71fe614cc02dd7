// Pictures of the whole desktop, as a player would see it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/hostlib/Pixels.h"

namespace orvane::hostprog {

// A picture of the desktop is painted like any other.
using DesktopPicture = Pixels;

// The visible windows bottom to top; frames: a thin frame round each window.
// Without texts the picture is what the texts are drawn on.
enum class TextLayer { Drawn, LeftOut };
DesktopPicture DrawDesktop(bool frames, TextLayer texts = TextLayer::Drawn);

// As PNG; false if it cannot be written.
bool WritePicture(const DesktopPicture& picture, const std::string& path);

}  // namespace orvane::hostprog
