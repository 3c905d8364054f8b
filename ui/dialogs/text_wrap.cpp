#include "ui/dialogs/text_wrap.h"

namespace cdv {

namespace {

bool IsBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Shortest prefix length n in [1, limit] whose width reaches `usable`, or
// `limit` when none does. Prefix widths grow with length, so the search
// gallops and then halves: a long run of zero-width characters costs a few
// dozen measurements, not one per character. A line that follows a CR or LF
// line takes its first character without measuring it.
size_t FirstReaching(std::u16string_view rest, size_t limit, int usable, bool firstFits, TextMeasurer& measurer) {
    auto reaches = [&](size_t n) { return measurer.Measure(rest.substr(0, n)).cx >= usable; };
    if (!firstFits && reaches(1)) return 1;
    size_t below = 1;  // known narrower than usable
    size_t probe = 2;
    while (probe < limit && !reaches(probe)) {
        below = probe;
        probe *= 2;
    }
    size_t above = probe < limit ? probe : limit;  // reaches, or the limit
    if (above == limit && !reaches(limit)) return limit;
    while (above - below > 1) {
        const size_t mid = below + (above - below) / 2;
        if (reaches(mid)) {
            above = mid;
        } else {
            below = mid;
        }
    }
    return above;
}

}  // namespace

WrappedText WrapByCharacters(std::u16string_view text, int width, TextMeasurer& measurer) {
    WrappedText out;
    if (text.empty()) return out;
    const int usable = width - 1;
    out.lineHeight = measurer.Measure(text.substr(0, 1)).cy;

    size_t pos = 0;
    bool afterBreak = false;
    while (pos < text.size()) {
        const std::u16string_view rest = text.substr(pos);

        // A CR or LF ends a line when everything up to it still fits and
        // something follows it.
        size_t breakAt = 0;
        while (breakAt < rest.size() && !IsBreak(rest[breakAt])) ++breakAt;
        if (breakAt + 1 < rest.size() &&
            ((afterBreak && breakAt == 0) || measurer.Measure(rest.substr(0, breakAt + 1)).cx < usable)) {
            out.pieces.push_back({pos, breakAt + 1, true});
            pos += breakAt + 1;
            afterBreak = true;
            continue;
        }

        const size_t limit = breakAt < rest.size() ? breakAt + 1 : rest.size();
        size_t n = FirstReaching(rest, limit, usable, afterBreak, measurer);
        if (n > 1 && measurer.Measure(rest.substr(0, n)).cx > usable) --n;
        out.pieces.push_back({pos, n, false});
        pos += n;
        afterBreak = false;
    }
    return out;
}

LineCount CountTextLines(std::u16string_view text, int width, TextMeasurer& measurer) {
    const WrappedText wrapped = WrapByCharacters(text, width, measurer);
    return {static_cast<int>(wrapped.pieces.size()), wrapped.lineHeight};
}

std::u16string WrappedOutput(std::u16string_view text, const WrappedText& wrapped) {
    std::u16string out;
    out.reserve(text.size() + 2 * wrapped.pieces.size());
    for (const WrapPiece& piece : wrapped.pieces) {
        out.append(text.substr(piece.start, piece.length));
        if (!piece.endsAtBreak) out.append(u"\r\n");
    }
    return out;
}

}  // namespace cdv
