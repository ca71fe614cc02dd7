// The runtime of the Microsoft-ABI build (crt/) where a fault would hide:
// 64-bit division, std::to_string's formats, exceptions thrown by the C++
// library and caught by base class, shared_ptr's counts, a large stack frame.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Expect(bool ok, const char* what)
{
    if (!ok) {
        std::printf("failed: %s\n", what);
        ++g_failures;
    }
}

// Through volatile copies: the divisions happen at run time, in the helpers.
template <class T>
T Divide(T a, T b)
{
    volatile T x = a;
    volatile T y = b;
    return x / y;
}
template <class T>
T Remainder(T a, T b)
{
    volatile T x = a;
    volatile T y = b;
    return x % y;
}

struct DivisionCase {
    int64_t a;
    int64_t b;
    int64_t quotient;
    int64_t remainder;
};

const DivisionCase kSigned[] = {
    {7, 2, 3, 1},
    {-7, 2, -3, -1},
    {7, -2, -3, 1},
    {-7, -2, 3, -1},
    {INT64_MAX, 1, INT64_MAX, 0},
    {INT64_MIN, 1, INT64_MIN, 0},
    {INT64_MIN, INT64_MAX, -1, -1},
    {0x123456789ABCDEF0ll, 0x10000ll, 0x123456789ABCll, 0xDEF0ll},
};

struct UnsignedCase {
    uint64_t a;
    uint64_t b;
    uint64_t quotient;
    uint64_t remainder;
};

const UnsignedCase kUnsigned[] = {
    {UINT64_MAX, 1, UINT64_MAX, 0},
    {UINT64_MAX, 0x100000000ull, 0xFFFFFFFFull, 0xFFFFFFFFull},
    {1000000000000ull, 7, 142857142857ull, 1},
    {5, 10, 0, 5},
};

int DeepFrame(int seed)
{
    // Over a page of stack: the compiler probes it through _chkstk.
    volatile char buffer[20000];
    for (size_t i = 0; i < sizeof buffer; i += 4096)
        buffer[i] = static_cast<char>(seed + static_cast<int>(i));
    return buffer[4096] + buffer[16384];
}

}  // namespace

int main()
{
    for (const DivisionCase& c : kSigned) {
        Expect(Divide<int64_t>(c.a, c.b) == c.quotient, "signed 64-bit quotient");
        Expect(Remainder<int64_t>(c.a, c.b) == c.remainder, "signed 64-bit remainder");
    }
    for (const UnsignedCase& c : kUnsigned) {
        Expect(Divide<uint64_t>(c.a, c.b) == c.quotient, "unsigned 64-bit quotient");
        Expect(Remainder<uint64_t>(c.a, c.b) == c.remainder, "unsigned 64-bit remainder");
    }

    Expect(std::to_string(-42) == "-42", "to_string(int)");
    Expect(std::to_string(4294967295u) == "4294967295", "to_string(unsigned)");
    Expect(std::to_string(INT64_MIN) == "-9223372036854775808", "to_string(long long)");
    Expect(std::to_string(UINT64_MAX) == "18446744073709551615", "to_string(unsigned long long)");
    Expect(std::to_string(size_t{123456}) == "123456", "to_string(size_t)");

    bool caught = false;
    try {
        std::vector<int> empty;
        (void)empty.at(3);
    } catch (const std::logic_error& e) {
        caught = std::strlen(e.what()) > 0;
    }
    Expect(caught, "vector::at throws a logic_error with a text");

    std::string copied;
    try {
        try {
            throw std::runtime_error("kept across copies");
        } catch (const std::runtime_error& e) {
            const std::runtime_error copy(e);  // shares the text
            throw copy;
        }
    } catch (const std::exception& e) {
        copied = e.what();
    }
    Expect(copied == "kept across copies", "exception text survives a rethrow");

    std::weak_ptr<int> weak;
    {
        auto shared = std::make_shared<int>(5);
        weak = shared;
        Expect(weak.lock() != nullptr && *weak.lock() == 5, "weak_ptr locks a live object");
    }
    Expect(weak.expired() && weak.lock() == nullptr, "weak_ptr expires with its object");

    Expect(DeepFrame(1) == static_cast<char>(1 + 4096) + static_cast<char>(1 + 16384),
           "a frame over a page");

    std::printf("%d failures\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
