// Observing the operating system's debug-output channel from a host or a
// test. The module only ever calls OutputDebugStringA; this is the other end.
#pragma once

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

}  // namespace orvane::platform
