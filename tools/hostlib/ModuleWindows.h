// The module's own windows, by id, as the host program names them.
#pragma once

#include <cstdint>

namespace orvane::hostprog {

// What a module window is, in words: "NPC talk window" for 163 and so on;
// "window" for any other id.
const char* WindowRoleName(int id);
// True for 163, 172, 174 and 175, the windows the module creates.
bool IsModuleWindow(int32_t id);

}  // namespace orvane::hostprog
