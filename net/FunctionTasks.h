// Function tasks: task ids of 16777215 and up whose deletion is a server
// script call instead of a task delete packet. The table is module-wide and
// zero at load.
#pragma once

#include <cstdint>

struct FunctionTaskEntry {
    int32_t nID;       // 0 marks a free entry and the end of the entries in use
    char szName[10];   // zero-terminated when shorter than 10 bytes
};

constexpr int kFunctionTaskCount = 10;

namespace orvane {
extern FunctionTaskEntry g_FunctionTasks[kFunctionTaskCount];
// Zeroes the table (module load).
void ClearFunctionTasks();
}  // namespace orvane
