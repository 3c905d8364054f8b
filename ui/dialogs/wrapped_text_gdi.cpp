#include "ui/dialogs/wrapped_text_gdi.h"

#include <string>

namespace cdv {

TextExtent GdiTextMeasurer::Measure(std::u16string_view text) {
    SIZE size{};
    ::GetTextExtentPoint32W(m_dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
                            &size);
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void DrawWrappedText(HDC dc, std::u16string_view text, const RECT& rect) {
    GdiTextMeasurer measurer(dc);
    const std::u16string out = WrappedOutput(text, WrapByCharacters(text, rect.right - rect.left, measurer));
    RECT box = rect;
    // No prefix processing: an "&" in an address is text, not a mnemonic.
    ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(out.c_str()), static_cast<int>(out.size()), &box, DT_NOPREFIX);
}

}  // namespace cdv
