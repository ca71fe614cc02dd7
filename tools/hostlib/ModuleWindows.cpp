#include "tools/hostlib/ModuleWindows.h"

namespace orvane::hostprog {

const char* WindowRoleName(int id)
{
    switch (id) {
        case 163:
            return "NPC talk window";
        case 172:
            return "task log";
        case 174:
            return "selection menu";
        case 175:
            return "second selection menu";
        default:
            return "window";
    }
}

bool IsModuleWindow(int32_t id)
{
    return id == 163 || id == 172 || id == 174 || id == 175;
}

}  // namespace orvane::hostprog
