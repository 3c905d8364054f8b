#pragma once
// Breaking a text into lines between characters (not at word boundaries), as
// the contact card shows long phone numbers and e-mail addresses. Pure logic
// over a measuring seam; the window side measures with GetTextExtentPoint32.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cdv {

struct TextExtent {
    int cx = 0;
    int cy = 0;
};

// Measures a run of text in the font the lines are drawn with.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual TextExtent Measure(std::u16string_view text) = 0;
};

struct WrapPiece {
    size_t start = 0;
    size_t length = 0;
    bool endsAtBreak = false;  // the piece's last character is a CR or LF that ended it
};

struct WrappedText {
    std::vector<WrapPiece> pieces;  // one per line
    int lineHeight = 0;             // height of the first character measured; 0 for empty text
};

// Each line holds as many characters as fit in `width` - 1 pixels, and at
// least one. Every CR or LF inside the text ends a line of its own (a CR LF
// pair makes two); one that is the very last character does not. A line
// gives back its last character when that makes it wider than the usable
// width; exactly the usable width fits.
WrappedText WrapByCharacters(std::u16string_view text, int width, TextMeasurer& measurer);

struct LineCount {
    int lines = 0;
    int lineHeight = 0;
};
LineCount CountTextLines(std::u16string_view text, int width, TextMeasurer& measurer);

// The text as DrawTextW draws it without format flags: a piece ended by its
// own CR or LF unchanged, every other piece followed by CR LF.
std::u16string WrappedOutput(std::u16string_view text, const WrappedText& wrapped);

}  // namespace cdv
