#pragma once
// tallowkit.dll: the drawing helpers the user interface imports by name.

#include <windows.h>

#ifdef TALLOWKIT_BUILD
#define TALLOWKIT_API extern "C" __declspec(dllexport)
#else
#define TALLOWKIT_API extern "C" __declspec(dllimport)
#endif

// A font of `face` whose characters are `size` pixels high, with `weight`
// (400 regular, 700 bold). The caller owns it and deletes it with DeleteObject.
TALLOWKIT_API HFONT __cdecl get_font(const wchar_t* face, int size, int weight);

// Fills the whole of `rect`, and nothing outside it, with a blend from
// `start` to `end`: left to right for mode 0, top to bottom for mode 1.
TALLOWKIT_API void __cdecl gradient_fillrect(HDC dc, const RECT* rect, COLORREF start, COLORREF end, int mode);
