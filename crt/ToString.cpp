// std::to_string, which libc++ keeps in its compiled library. msvcrt's
// printf spells 64-bit integers %I64d: it knows neither %lld nor %zu.
#include <cstdio>
#include <string>

namespace {

template <class T>
std::string Format(const char* format, T value)
{
    char text[64];
    const int length = _snprintf(text, sizeof text, format, value);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace

_LIBCPP_BEGIN_NAMESPACE_STD

string to_string(int value) { return Format("%d", value); }
string to_string(unsigned value) { return Format("%u", value); }
string to_string(long value) { return Format("%ld", value); }
string to_string(unsigned long value) { return Format("%lu", value); }
string to_string(long long value) { return Format("%I64d", value); }
string to_string(unsigned long long value) { return Format("%I64u", value); }
string to_string(float value) { return Format("%f", static_cast<double>(value)); }
string to_string(double value) { return Format("%f", value); }
string to_string(long double value) { return Format("%f", static_cast<double>(value)); }

_LIBCPP_END_NAMESPACE_STD
