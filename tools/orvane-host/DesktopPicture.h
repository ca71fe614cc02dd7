// Pictures of the whole desktop, as a player would see it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace orvane::hostprog {

struct DesktopPicture {
    int32_t width;
    int32_t height;
    std::vector<uint8_t> rgba;  // rows top to bottom
};

// The visible windows bottom to top; frames: a thin frame round each window.
DesktopPicture DrawDesktop(bool frames);

// As PNG; false if it cannot be written.
bool WritePicture(const DesktopPicture& picture, const std::filesystem::path& path);

}  // namespace orvane::hostprog
