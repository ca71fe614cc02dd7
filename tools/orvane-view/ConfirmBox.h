// The host's confirmation box, which the game client would show: the viewer
// draws it over the desktop and lets the person answer it by mouse or key.
#pragma once

#include <cstdint>
#include <string>

#include "tools/hostlib/Pixels.h"

namespace orvane::view {

// Which part of the box a point is on.
enum class BoxPart { Outside, Body, Yes, No };

class ConfirmBox {
public:
    // Centred on a desktop of that size.
    ConfirmBox(int32_t desktopWidth, int32_t desktopHeight);
    BoxPart At(int32_t x, int32_t y) const;
    // text: the module's question, in GBK.
    void Draw(hostprog::Pixels& px, ITTFont* font, const std::string& text) const;

private:
    RECT m_box;
    RECT m_yes;
    RECT m_no;
};

}  // namespace orvane::view
