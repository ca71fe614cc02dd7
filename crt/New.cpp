// operator new and delete on the process heap: every module of the process
// allocates there, so memory may be freed by another module than the one
// that allocated it. A failed allocation throws std::bad_alloc.
#include <cstdint>
#include <new>

#include <windows.h>

namespace {

void* Allocate(size_t size) noexcept
{
    return ::HeapAlloc(::GetProcessHeap(), 0, size == 0 ? 1 : size);
}

void Free(void* block) noexcept
{
    if (block != nullptr)
        ::HeapFree(::GetProcessHeap(), 0, block);
}

}  // namespace

void* operator new(size_t size)
{
    void* block = Allocate(size);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void* operator new[](size_t size)
{
    return ::operator new(size);
}

void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

// Over-aligned types: the block is allocated with room to align it, and the
// heap's own pointer is kept just below the aligned one.
void* operator new(size_t size, std::align_val_t alignment)
{
    const size_t align = static_cast<size_t>(alignment);
    const size_t extra = align + sizeof(void*);
    if (size > static_cast<size_t>(-1) - extra)
        throw std::bad_alloc();
    void* raw = Allocate(size + extra);
    if (raw == nullptr)
        throw std::bad_alloc();
    const uintptr_t start = reinterpret_cast<uintptr_t>(raw) + sizeof(void*);
    void** aligned = reinterpret_cast<void**>((start + align - 1) & ~(align - 1));
    aligned[-1] = raw;
    return aligned;
}

void* operator new[](size_t size, std::align_val_t alignment)
{
    return ::operator new(size, alignment);
}

void operator delete(void* block, std::align_val_t) noexcept
{
    if (block != nullptr)
        Free(static_cast<void**>(block)[-1]);
}

void operator delete[](void* block, std::align_val_t alignment) noexcept
{
    ::operator delete(block, alignment);
}

void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, size_t) noexcept { Free(block); }
void operator delete[](void* block, size_t) noexcept { Free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Free(block); }
