#pragma once
// Drawing helpers shared by the list, its header and the tree: skin images
// at their pixel size, strip frames, and the tree's selection band.

#include <windows.h>

#include "ui/framework/gdiplus_support.h"

// Draws the whole image at its pixel size (not scaled by the file's own
// resolution); nothing for a missing image.
void DrawWholeImage(HDC dc, Gdiplus::Image* image, int x, int y);
void DrawWholeImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y);
// Frame `frame` of an N-frame strip, unscaled, whatever resolution the file declares.
void DrawStripFrame(Gdiplus::Graphics& graphics, Gdiplus::Image* strip, int frames, int frame, int x, int y);

// The tree's selection band: the whole rectangle blended from `from` to `to`.
void SkinGradientFill(HDC dc, const RECT& rect, COLORREF from, COLORREF to);
