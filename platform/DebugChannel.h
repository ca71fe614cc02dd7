// Observing the operating system's debug-output channel from a host or a
// test. The module only ever calls OutputDebugStringA; this is the other end.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace orvane::platform {

// Starts recording every write to the debug-output channel made in this
// process, exactly as written (one entry per write). Safe to call again.
void StartDebugCapture();
// Returns the writes recorded since the last call and forgets them.
std::vector<std::string> TakeDebugWrites();
// Stops recording and drops what was recorded.
void StopDebugCapture();
// While capturing, also hands each write to listener at the moment it is
// made, so it can be put in order with other events. Null removes it.
void SetDebugWriteListener(std::function<void(const std::string&)> listener);

}  // namespace orvane::platform
