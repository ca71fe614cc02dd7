#include "testkit/AllocInjector.h"

#include <cstdlib>
#include <new>

namespace orvane::inject {
namespace {

// Plain globals: the programs that use this run their sessions on one thread.
bool g_bArmed = false;
bool g_bFailed = false;
uint64_t g_nCount = 0;
uint64_t g_nFailAt = 0;

// Null when this allocation is the one chosen to fail.
void* Allocate(std::size_t size) noexcept
{
    if (g_bArmed) {
        ++g_nCount;
        if (g_nCount == g_nFailAt) {
            g_bFailed = true;
            return nullptr;
        }
    }
    return std::malloc(size != 0 ? size : 1);
}

}  // namespace

void Reset(uint64_t failAt)
{
    g_bArmed = false;
    g_bFailed = false;
    g_nCount = 0;
    g_nFailAt = failAt;
}

void Arm()
{
    g_bArmed = true;
}

void Disarm()
{
    g_bArmed = false;
}

uint64_t Count()
{
    return g_nCount;
}

bool Failed()
{
    return g_bFailed;
}

}  // namespace orvane::inject

// The replacements hand out malloc memory and take it back with free, which
// the compiler cannot see across the pair.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

using orvane::inject::Allocate;

void* operator new(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
