// Force-included into every C++ file of the MSVC-ABI build. libc++'s <locale> (reached through
// <fstream>, which the simulator's OrbiterAPI.h includes) calls these two ucrt functions, which
// mingw-w64's <stdlib.h> does not declare. ucrtbase.dll exports both.
#pragma once

#include <corecrt.h>

extern "C" {
float __cdecl _strtof_l(const char* text, char** end, _locale_t locale);
long double __cdecl _strtold_l(const char* text, char** end, _locale_t locale);
}
