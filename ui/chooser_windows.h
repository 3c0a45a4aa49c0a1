#pragma once
// windows.h as the file chooser and the link label use it: lean, without the
// min/max macros, ANSI only.

#ifdef UNICODE
#error "Tavelin calls the ANSI functions by name; build without UNICODE"
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
