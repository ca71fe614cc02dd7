// Allocation failure on demand, for tests and fuzz targets: while armed,
// every allocation through the global operator new is counted, and the
// chosen one fails as in an exhausted process (std::bad_alloc, or null for
// the nothrow forms). Linking AllocInjector.cpp replaces the program's
// global allocation functions; link it only into programs that want this.
#pragma once

#include <cstdint>

namespace orvane::inject {

// Starts a new count; the failAt-th counted allocation fails (1 is the
// first), and only that one. 0: none fails, allocations are only counted.
void Reset(uint64_t failAt);
// Counting is on only between Arm and Disarm.
void Arm();
void Disarm();
// Allocations counted since Reset.
uint64_t Count();
// Whether the chosen allocation has been reached and failed.
bool Failed();

// Arms for the life of the object.
class ArmedScope {
public:
    ArmedScope() { Arm(); }
    ~ArmedScope() { Disarm(); }
    ArmedScope(const ArmedScope&) = delete;
    ArmedScope& operator=(const ArmedScope&) = delete;
};

}  // namespace orvane::inject
