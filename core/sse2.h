#pragma once
// Whether SSE2 may be used, and its intrinsics when it may. Every x86-64
// processor has SSE2, so no run-time check is needed; 32-bit x86 builds use
// it only when the compiler is told to. Internal to the core.

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define TAVELIN_SSE2 1
#endif
