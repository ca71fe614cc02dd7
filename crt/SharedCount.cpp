// The reference counts behind std::shared_ptr, which libc++ keeps in its
// compiled library. The build has no threads (_LIBCPP_HAS_NO_THREADS), so
// the counts are plain integers, as libc++'s own headers then treat them.
#include <memory>

_LIBCPP_BEGIN_NAMESPACE_STD

__shared_count::~__shared_count() {}

__shared_weak_count::~__shared_weak_count() {}

void __shared_weak_count::__release_weak() noexcept
{
    // The counts hold "owners - 1": -1 means none is left.
    if (__shared_weak_owners_ == 0 || --__shared_weak_owners_ == -1)
        __on_zero_shared_weak();
}

__shared_weak_count* __shared_weak_count::lock() noexcept
{
    if (__shared_owners_ == -1)
        return nullptr;
    ++__shared_owners_;
    return this;
}

const void* __shared_weak_count::__get_deleter(const type_info&) const noexcept
{
    return nullptr;
}

_LIBCPP_END_NAMESPACE_STD
