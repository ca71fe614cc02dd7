// Text conversion between the UTF-8 of files and scenarios and the GBK (code
// page 936) the module works in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane::host {

// UTF-8 to GBK. Nullopt when the input is not valid UTF-8 or holds a character
// that GBK cannot represent; nothing is replaced or dropped.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// GBK to UTF-8. Nullopt when the input is not valid GBK.
std::optional<std::string> GbkToUtf8(std::string_view gbk);

}  // namespace orvane::host
