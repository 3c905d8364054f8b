#pragma once
// A measuring seam with known widths: every character is `advance` pixels wide
// except those given their own width (zero-width marks, wide glyphs).

#include <map>
#include <string_view>

#include "ui/dialogs/text_wrap.h"

namespace cdv::testing {

class FakeMeasurer : public TextMeasurer {
public:
    explicit FakeMeasurer(int advance = 7, int height = 14) : m_advance(advance), m_height(height) {}
    void SetWidth(char16_t c, int width) { m_widths[c] = width; }

    TextExtent Measure(std::u16string_view text) override {
        ++calls;
        int cx = 0;
        for (char16_t c : text) {
            auto it = m_widths.find(c);
            cx += it == m_widths.end() ? m_advance : it->second;
        }
        return {cx, text.empty() ? 0 : m_height};
    }

    long calls = 0;

private:
    int m_advance;
    int m_height;
    std::map<char16_t, int> m_widths;
};

}  // namespace cdv::testing
