// libc++'s <cmath> names every C99 function; msvcrt.dll has no long double
// ones and lacks some float ones on i386. They are declared so that the
// header compiles; a call to one of them fails to link, as it should.
#pragma once
#include_next <math.h>
#ifdef __cplusplus
extern "C" {
#define ORVANE_MATH_L1(name) long double __cdecl name##l(long double);
#define ORVANE_MATH_L2(name) long double __cdecl name##l(long double, long double);
#define ORVANE_MATH_F1(name) float __cdecl name##f(float);
#define ORVANE_MATH_F2(name) float __cdecl name##f(float, float);
ORVANE_MATH_L1(acos) ORVANE_MATH_L1(asin) ORVANE_MATH_L1(atan) ORVANE_MATH_L2(atan2)
ORVANE_MATH_L1(ceil) ORVANE_MATH_L1(cos) ORVANE_MATH_L1(cosh) ORVANE_MATH_L1(exp)
ORVANE_MATH_L1(fabs) ORVANE_MATH_L1(floor) ORVANE_MATH_L2(fmod) ORVANE_MATH_L1(log)
ORVANE_MATH_L1(log10) ORVANE_MATH_L2(pow) ORVANE_MATH_L1(sin) ORVANE_MATH_L1(sinh)
ORVANE_MATH_L1(sqrt) ORVANE_MATH_L1(tan) ORVANE_MATH_L1(tanh) ORVANE_MATH_L1(acosh)
ORVANE_MATH_L1(asinh) ORVANE_MATH_L1(atanh) ORVANE_MATH_L1(cbrt) ORVANE_MATH_L1(erf)
ORVANE_MATH_L1(erfc) ORVANE_MATH_L1(exp2) ORVANE_MATH_L1(expm1) ORVANE_MATH_L2(fdim)
ORVANE_MATH_L2(fmax) ORVANE_MATH_L2(fmin) ORVANE_MATH_L2(hypot) ORVANE_MATH_L1(lgamma)
ORVANE_MATH_L1(log1p) ORVANE_MATH_L1(log2) ORVANE_MATH_L1(logb) ORVANE_MATH_L1(nearbyint)
ORVANE_MATH_L2(nextafter) ORVANE_MATH_L2(remainder) ORVANE_MATH_L1(tgamma)
ORVANE_MATH_F1(acosh) ORVANE_MATH_F1(asinh) ORVANE_MATH_F1(atanh) ORVANE_MATH_F1(erf)
ORVANE_MATH_F1(erfc) ORVANE_MATH_F2(fdim) ORVANE_MATH_F2(fmax) ORVANE_MATH_F2(fmin)
ORVANE_MATH_F1(lgamma) ORVANE_MATH_F2(nextafter) ORVANE_MATH_F2(remainder)
ORVANE_MATH_F1(tgamma)
long double __cdecl frexpl(long double, int*);
long double __cdecl ldexpl(long double, int);
long double __cdecl modfl(long double, long double*);
long double __cdecl scalbnl(long double, int);
long double __cdecl scalblnl(long double, long);
long double __cdecl remquol(long double, long double, int*);
long double __cdecl nexttowardl(long double, long double);
float __cdecl nexttowardf(float, long double);
int __cdecl ilogbl(long double);
#undef ORVANE_MATH_L1
#undef ORVANE_MATH_L2
#undef ORVANE_MATH_F1
#undef ORVANE_MATH_F2
}
#endif
