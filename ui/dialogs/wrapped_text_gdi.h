#pragma once
// The card's character wrapping on a device context: measuring with the
// context's selected font, and drawing a value broken into lines.

#include <windows.h>

#include <string_view>

#include "ui/dialogs/text_wrap.h"

namespace cdv {

class GdiTextMeasurer : public TextMeasurer {
public:
    explicit GdiTextMeasurer(HDC dc) : m_dc(dc) {}
    TextExtent Measure(std::u16string_view text) override;

private:
    HDC m_dc;
};

// Breaks `text` by characters to the rectangle's width (CountTextLines' rule,
// in the font selected into `dc`) and draws it from the rectangle's top-left,
// clipped to the rectangle.
void DrawWrappedText(HDC dc, std::u16string_view text, const RECT& rect);

}  // namespace cdv
