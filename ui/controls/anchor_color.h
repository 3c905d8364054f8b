#pragma once
// The browser's link colours as the user's registry stores them: the string
// values "Anchor Color" and "Anchor Color Visited", text of the form R,G,B.

#include <cstdint>
#include <optional>
#include <string_view>

namespace cdv {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Longest value that is read, terminating null included ("255,255,255").
constexpr size_t kAnchorColorChars = 12;

// Three decimal components 0-255 separated by commas (blanks around a
// component are allowed). Anything else, or text that does not fit in
// kAnchorColorChars, gives nothing and the caller keeps its default.
std::optional<Rgb> ParseAnchorColor(std::u16string_view text);

}  // namespace cdv
