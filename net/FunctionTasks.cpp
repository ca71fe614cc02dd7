#include "net/FunctionTasks.h"

#include <cstring>

namespace orvane {

FunctionTaskEntry g_FunctionTasks[kFunctionTaskCount];

void ClearFunctionTasks()
{
    for (FunctionTaskEntry& entry : g_FunctionTasks) {
        entry.nID = 0;
        std::memset(entry.szName, 0, sizeof entry.szName);
    }
}

}  // namespace orvane
