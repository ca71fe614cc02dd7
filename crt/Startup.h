// The start and end of a module of the Microsoft-ABI build (crt/).
#pragma once

namespace orvane_crt {

// Runs the compiler's static initialisers, in order.
void RunInitializers();
// Runs the functions registered with atexit, last first, and empties the list.
void RunExitList();

}  // namespace orvane_crt
