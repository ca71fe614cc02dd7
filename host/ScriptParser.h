// Reads the text of a resource script (our JSON format, UTF-8) into a tree
// of GBK objects. See docs/resource-scripts.md for the format.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/ResScript.h"

namespace orvane::host {

// Deepest nesting of objects below the root that a script may use.
constexpr int kMaxScriptDepth = 64;

// The script's root (id 0, no name) with the top-level objects as children.
// Null when the text is not a well-formed script, declares no password or
// another one than password, or holds text that GBK cannot represent; error
// then says what is wrong and where (UTF-8). Throws only std::bad_alloc.
std::unique_ptr<ResNode> ParseScriptText(std::string_view text, const char* password,
                                         std::string& error);

}  // namespace orvane::host
