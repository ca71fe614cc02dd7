// Helpers the compiler calls on i386, which Microsoft's toolchain links in
// statically (msvcrt.dll has them not everywhere): the stack probe for
// frames over a page, and 64-bit division.
#include <cstdint>

extern "C" {

// Probes every page between the stack pointer and the new frame, lowest
// last, so that the guard page grows the stack in order; then moves the
// stack pointer down by eax. Keeps every register but esp.
__attribute__((naked)) void _chkstk()
{
    asm volatile(
        "pushl %ecx\n"
        "leal 8(%esp), %ecx\n"  // the stack pointer before the call
        "cmpl $0x1000, %eax\n"
        "jb 2f\n"
        "1:\n"
        "subl $0x1000, %ecx\n"
        "testl %ecx, (%ecx)\n"
        "subl $0x1000, %eax\n"
        "cmpl $0x1000, %eax\n"
        "ja 1b\n"
        "2:\n"
        "subl %eax, %ecx\n"
        "testl %ecx, (%ecx)\n"
        "leal 4(%esp), %eax\n"  // where the return address is
        "movl %ecx, %esp\n"
        "movl -4(%eax), %ecx\n"
        "pushl (%eax)\n"
        "subl %esp, %eax\n"
        "ret\n");
}

}  // extern "C"

namespace {

// Shift and subtract: the compiler would turn a plain division back into a
// call of the helpers below.
uint64_t DivideUnsigned(uint64_t dividend, uint64_t divisor, uint64_t* remainder)
{
    uint64_t quotient = 0;
    uint64_t rest = 0;
    for (int bit = 63; bit >= 0; --bit) {
        rest = (rest << 1) | ((dividend >> bit) & 1);
        if (rest >= divisor) {
            rest -= divisor;
            quotient |= uint64_t{1} << bit;
        }
    }
    if (remainder != nullptr)
        *remainder = rest;
    return quotient;
}

uint64_t Magnitude(int64_t value)
{
    return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

}  // namespace

// The callee removes the two 64-bit arguments, as __stdcall does.
extern "C" {

uint64_t __stdcall orvane_aulldiv(uint64_t a, uint64_t b)
{
    return DivideUnsigned(a, b, nullptr);
}

uint64_t __stdcall orvane_aullrem(uint64_t a, uint64_t b)
{
    uint64_t rest = 0;
    DivideUnsigned(a, b, &rest);
    return rest;
}

int64_t __stdcall orvane_alldiv(int64_t a, int64_t b)
{
    const uint64_t q = DivideUnsigned(Magnitude(a), Magnitude(b), nullptr);
    return static_cast<int64_t>((a < 0) != (b < 0) ? 0 - q : q);
}

int64_t __stdcall orvane_allrem(int64_t a, int64_t b)
{
    uint64_t rest = 0;
    DivideUnsigned(Magnitude(a), Magnitude(b), &rest);
    return static_cast<int64_t>(a < 0 ? 0 - rest : rest);
}

// The compiler calls these names, without the argument size a __stdcall name
// carries: each jumps to its function above, leaving the stack as it is.
__attribute__((naked)) void _aulldiv() { asm volatile("jmp \"_orvane_aulldiv@16\""); }
__attribute__((naked)) void _aullrem() { asm volatile("jmp \"_orvane_aullrem@16\""); }
__attribute__((naked)) void _alldiv() { asm volatile("jmp \"_orvane_alldiv@16\""); }
__attribute__((naked)) void _allrem() { asm volatile("jmp \"_orvane_allrem@16\""); }

}  // extern "C"
