// clang knows these names as builtins on every x86 target, and Wine's winnt.h
// defines them itself for i386: its definitions are renamed out of the way.
#pragma once
#define _InterlockedAnd64 orvane_InterlockedAnd64
#define _InterlockedCompareExchangePointer orvane_InterlockedCompareExchangePointer
#define _InterlockedDecrement64 orvane_InterlockedDecrement64
#define _InterlockedExchangeAdd64 orvane_InterlockedExchangeAdd64
#define _InterlockedExchangePointer orvane_InterlockedExchangePointer
#define _InterlockedIncrement64 orvane_InterlockedIncrement64
#define _InterlockedOr64 orvane_InterlockedOr64
#define _InterlockedXor64 orvane_InterlockedXor64
#include_next <winnt.h>
