#include "ui/controls/listtree_skin.h"

#include "platform/tallowkit/tallowkit.h"
#include "ui/controls/strip.h"

void DrawWholeImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y) {
    const int width = static_cast<int>(fw::ImageWidth(image));
    const int height = static_cast<int>(fw::ImageHeight(image));
    if (width <= 0 || height <= 0) return;
    graphics.DrawImage(image, x, y, width, height);
}

void DrawWholeImage(HDC dc, Gdiplus::Image* image, int x, int y) {
    if (fw::ImageWidth(image) == 0) return;
    fw::GraphicsPtr graphics = fw::GraphicsForDC(dc);
    if (graphics) DrawWholeImage(*graphics, image, x, y);
}

void DrawStripFrame(Gdiplus::Graphics& graphics, Gdiplus::Image* strip, int frames, int frame, int x, int y) {
    const unsigned width = fw::ImageWidth(strip);
    const unsigned height = fw::ImageHeight(strip);
    const fw::Rect source = StripFrame(width, height, static_cast<unsigned>(frames), static_cast<unsigned>(frame));
    if (source.Width() <= 0 || source.Height() <= 0) return;
    // An explicit destination size: the point form scales by the file's own
    // resolution, and PNG files store 96 DPI as 3780 pixels per metre.
    graphics.DrawImage(strip, Gdiplus::Rect(x, y, source.Width(), source.Height()), source.left, source.top,
                       source.Width(), source.Height(), Gdiplus::UnitPixel);
}

void SkinGradientFill(HDC dc, const RECT& rect, COLORREF from, COLORREF to) {
    gradient_fillrect(dc, &rect, from, to, 0);
}
