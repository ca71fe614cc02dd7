// The exception classes and type_info of the C++ library. libc++ keeps
// their member functions in its compiled library, which this build does not
// link: the headers alone are used, so the definitions live here.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <variant>

#include <windows.h>

// Exception texts are shared by the copies of an exception object, as
// libc++ does: the text sits behind a reference count, both on the process
// heap.
namespace {

struct RefText {
    LONG count;
    char text[1];
};

RefText* RefOf(const char* text)
{
    return reinterpret_cast<RefText*>(const_cast<char*>(text) - offsetof(RefText, text));
}

}  // namespace

_LIBCPP_BEGIN_NAMESPACE_STD

__libcpp_refstring::__libcpp_refstring(const char* msg)
{
    const size_t length = std::strlen(msg);
    void* block = ::HeapAlloc(::GetProcessHeap(), 0, offsetof(RefText, text) + length + 1);
    if (block == nullptr)
        throw std::bad_alloc();
    RefText* rep = static_cast<RefText*>(block);
    rep->count = 1;
    std::memcpy(rep->text, msg, length + 1);
    __imp_ = rep->text;
}

__libcpp_refstring::__libcpp_refstring(const __libcpp_refstring& s) noexcept : __imp_(s.__imp_)
{
    ::InterlockedIncrement(&RefOf(__imp_)->count);
}

__libcpp_refstring& __libcpp_refstring::operator=(const __libcpp_refstring& s) noexcept
{
    const char* old = __imp_;
    __imp_ = s.__imp_;
    ::InterlockedIncrement(&RefOf(__imp_)->count);
    if (::InterlockedDecrement(&RefOf(old)->count) == 0)
        ::HeapFree(::GetProcessHeap(), 0, RefOf(old));
    return *this;
}

__libcpp_refstring::~__libcpp_refstring()
{
    if (::InterlockedDecrement(&RefOf(__imp_)->count) == 0)
        ::HeapFree(::GetProcessHeap(), 0, RefOf(__imp_));
}

_LIBCPP_END_NAMESPACE_STD

namespace std {

exception::~exception() noexcept {}
const char* exception::what() const noexcept { return "std::exception"; }

bad_exception::~bad_exception() noexcept {}
const char* bad_exception::what() const noexcept { return "std::bad_exception"; }

bad_alloc::bad_alloc() noexcept {}
bad_alloc::~bad_alloc() noexcept {}
const char* bad_alloc::what() const noexcept { return "std::bad_alloc"; }

bad_array_new_length::bad_array_new_length() noexcept {}
bad_array_new_length::~bad_array_new_length() noexcept {}
const char* bad_array_new_length::what() const noexcept { return "bad_array_new_length"; }

bad_cast::bad_cast() noexcept {}
bad_cast::~bad_cast() noexcept {}
const char* bad_cast::what() const noexcept { return "std::bad_cast"; }

bad_typeid::bad_typeid() noexcept {}
bad_typeid::~bad_typeid() noexcept {}
const char* bad_typeid::what() const noexcept { return "std::bad_typeid"; }

logic_error::logic_error(const char* msg) : __imp_(msg) {}
logic_error::logic_error(const string& msg) : __imp_(msg.c_str()) {}
logic_error::logic_error(const logic_error& other) noexcept : exception(other), __imp_(other.__imp_) {}
logic_error& logic_error::operator=(const logic_error& other) noexcept
{
    __imp_ = other.__imp_;
    return *this;
}
logic_error::~logic_error() noexcept {}
const char* logic_error::what() const noexcept { return __imp_.c_str(); }

runtime_error::runtime_error(const char* msg) : __imp_(msg) {}
runtime_error::runtime_error(const string& msg) : __imp_(msg.c_str()) {}
runtime_error::runtime_error(const runtime_error& other) noexcept : exception(other), __imp_(other.__imp_) {}
runtime_error& runtime_error::operator=(const runtime_error& other) noexcept
{
    __imp_ = other.__imp_;
    return *this;
}
runtime_error::~runtime_error() noexcept {}
const char* runtime_error::what() const noexcept { return __imp_.c_str(); }

domain_error::~domain_error() noexcept {}
invalid_argument::~invalid_argument() noexcept {}
length_error::~length_error() noexcept {}
out_of_range::~out_of_range() noexcept {}
range_error::~range_error() noexcept {}
overflow_error::~overflow_error() noexcept {}
underflow_error::~underflow_error() noexcept {}

bad_optional_access::~bad_optional_access() noexcept {}
const char* bad_variant_access::what() const noexcept { return "bad_variant_access"; }

// Type descriptors made by the compiler start like a type_info: its table
// pointer, a spare word, then the decorated name (".?AV...").
type_info::~type_info() {}

const char* type_info::name() const noexcept
{
    return __data.__decorated_name;
}

int type_info::__compare(const type_info& rhs) const noexcept
{
    if (this == &rhs)
        return 0;
    return std::strcmp(&__data.__decorated_name[1], &rhs.__data.__decorated_name[1]);
}

size_t type_info::hash_code() const noexcept
{
    // FNV-1a over the decorated name, as equal types have equal names.
    size_t hash = 2166136261u;
    for (const char* c = &__data.__decorated_name[1]; *c != '\0'; ++c)
        hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    return hash;
}

[[noreturn]] void terminate() noexcept
{
    ::abort();
}

}  // namespace std

extern "C" {

// Called where an exception would leave a noexcept function.
[[noreturn]] void __cdecl __std_terminate()
{
    ::abort();
}

// The compiler points every type descriptor at the virtual table of a global
// ::type_info, which vcruntime would define. Its one slot, the deleting
// destructor, is never called: type descriptors are static data.
static void __fastcall TypeInfoDelete(void*) {}
extern const void* const orvane_crt_type_info_vftable[1] = {reinterpret_cast<const void*>(&TypeInfoDelete)};

}  // extern "C"

#pragma comment(linker, "/alternatename:??_7type_info@@6B@=_orvane_crt_type_info_vftable")
