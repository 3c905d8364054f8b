#include "ui/controls/anchor_color.h"

namespace cdv {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::optional<uint8_t> ParseComponent(std::u16string_view part) {
    while (!part.empty() && IsBlank(part.front())) part.remove_prefix(1);
    while (!part.empty() && IsBlank(part.back())) part.remove_suffix(1);
    if (part.empty() || part.size() > 3) return std::nullopt;
    unsigned value = 0;
    for (char16_t c : part) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - u'0');
    }
    if (value > 255) return std::nullopt;
    return static_cast<uint8_t>(value);
}

}  // namespace

std::optional<Rgb> ParseAnchorColor(std::u16string_view text) {
    // The registry may hand back the terminating null inside the data.
    const size_t nul = text.find(u'\0');
    if (nul != std::u16string_view::npos) text = text.substr(0, nul);
    if (text.size() + 1 > kAnchorColorChars) return std::nullopt;

    uint8_t parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const size_t comma = text.find(u',');
        const bool last = i == 2;
        if (last != (comma == std::u16string_view::npos)) return std::nullopt;
        auto value = ParseComponent(text.substr(0, comma));
        if (!value) return std::nullopt;
        parts[i] = *value;
        text = last ? std::u16string_view{} : text.substr(comma + 1);
    }
    return Rgb{parts[0], parts[1], parts[2]};
}

}  // namespace cdv
