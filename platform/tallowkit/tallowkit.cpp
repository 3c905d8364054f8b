#include "platform/tallowkit/tallowkit.h"

namespace {

COLOR16 Channel(BYTE value) { return static_cast<COLOR16>(value << 8); }

TRIVERTEX Vertex(LONG x, LONG y, COLORREF c) {
    TRIVERTEX v{};
    v.x = x;
    v.y = y;
    v.Red = Channel(GetRValue(c));
    v.Green = Channel(GetGValue(c));
    v.Blue = Channel(GetBValue(c));
    v.Alpha = 0;
    return v;
}

}  // namespace

HFONT __cdecl get_font(const wchar_t* face, int size, int weight) {
    if (face == nullptr) face = L"Arial";
    // A negative height asks for the character height, not the cell height.
    return ::CreateFontW(-size, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

void __cdecl gradient_fillrect(HDC dc, const RECT* rect, COLORREF start, COLORREF end, int mode) {
    if (dc == nullptr || rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top) return;
    TRIVERTEX vertices[2] = {Vertex(rect->left, rect->top, start), Vertex(rect->right, rect->bottom, end)};
    GRADIENT_RECT span{0, 1};
    ::GradientFill(dc, vertices, 2, &span, 1, mode == 1 ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}
