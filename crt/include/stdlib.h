// libc++'s <locale> names functions of newer C runtimes than msvcrt.dll.
// They are declared so that the header compiles; the build uses no locale,
// and a call to one of them fails to link, as it should.
#pragma once
#include_next <stdlib.h>
#ifndef MB_CUR_MAX
#define MB_CUR_MAX ___mb_cur_max_func()
#endif
#ifdef __cplusplus
extern "C" {
float __cdecl _strtof_l(const char*, char**, _locale_t);
double __cdecl _strtod_l(const char*, char**, _locale_t);
long double __cdecl _strtold_l(const char*, char**, _locale_t);
}
#endif
