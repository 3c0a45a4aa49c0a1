#pragma once
// The one way ui/ includes the Windows headers: lean, without the min/max
// macros, with strict handle types. Every call is an explicit "A" one, so a
// Unicode build is refused instead of silently switching the macros.

#if defined(UNICODE) || defined(_UNICODE)
#error "Tavelin calls the ANSI (A) functions; build without UNICODE and _UNICODE"
#endif

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif

#include <windows.h>
