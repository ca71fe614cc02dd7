// The rich-text markup that makes a line's text a link carrying a number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// <link url="number" underline="0">text</link>, the number in signed decimal.
std::string LinkLine(int32_t number, std::string_view text);

}  // namespace orvane
