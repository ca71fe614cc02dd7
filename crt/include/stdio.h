// msvcrt.dll has no __acrt_iob_func, which Wine's header reaches the
// standard streams through: its streams are the array __iob_func gives.
#pragma once
#include_next <stdio.h>
#undef stdin
#undef stdout
#undef stderr
#ifdef __cplusplus
extern "C"
#endif
    _ACRTIMP FILE* __cdecl __iob_func(void);
#define stdin (&__iob_func()[0])
#define stdout (&__iob_func()[1])
#define stderr (&__iob_func()[2])
