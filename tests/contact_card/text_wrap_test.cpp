#include "ui/dialogs/text_wrap.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fake_measurer.h"

namespace cdv {
namespace {

using testing::FakeMeasurer;

std::vector<std::u16string> Lines(std::u16string_view text, const WrappedText& w) {
    std::vector<std::u16string> out;
    for (const WrapPiece& p : w.pieces) out.emplace_back(text.substr(p.start, p.length));
    return out;
}

// The rule as it was first written: grow a piece one character at a time,
// measuring each prefix. The fast version must break every text the same way.
std::vector<WrapPiece> GrowOneByOne(std::u16string_view text, int width, TextMeasurer& m) {
    std::vector<WrapPiece> pieces;
    const int usable = width - 1;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t n = 1;
        int cx = m.Measure(text.substr(pos, 1)).cx;
        while (cx < usable && n < text.size() - pos) {
            const char16_t last = text[pos + n - 1];
            if (last == u'\r' || last == u'\n') {
                pieces.push_back({pos, n, true});
                pos += n;
                n = 1;
                continue;
            }
            ++n;
            cx = m.Measure(text.substr(pos, n)).cx;
        }
        if (cx > usable && n > 1) --n;
        pieces.push_back({pos, n, false});
        pos += n;
    }
    return pieces;
}

TEST(WrapByCharacters, BreaksBetweenCharactersAtTheUsableWidth) {
    FakeMeasurer m(7, 14);
    // Usable width 35: five 7-pixel characters fit exactly, a sixth does not.
    const std::u16string text = u"someone.with.a.long@example.org";
    const WrappedText w = WrapByCharacters(text, 36, m);
    EXPECT_EQ(Lines(text, w), (std::vector<std::u16string>{u"someo", u"ne.wi", u"th.a.", u"long@", u"examp",
                                                            u"le.or", u"g"}));
    EXPECT_EQ(w.lineHeight, 14);
    EXPECT_EQ(CountTextLines(text, 36, m).lines, 7);
}

TEST(WrapByCharacters, LineBreakCharacters) {
    FakeMeasurer m(7, 14);
    const struct {
        std::u16string text;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"ab\ncd", {u"ab\n", u"cd"}},
        {u"ab\r\ncd", {u"ab\r", u"\n", u"cd"}},  // a CR LF pair makes two lines
        {u"ab\n", {u"ab\n"}},                    // a last break character ends nothing
        {u"\nab", {u"\n", u"ab"}},
        {u"\n", {u"\n"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Lines(c.text, WrapByCharacters(c.text, 200, m)), c.lines);
    }
    EXPECT_EQ(WrappedOutput(u"ab\r\ncd", WrapByCharacters(u"ab\r\ncd", 200, m)), u"ab\r\ncd\r\n");
}

TEST(WrapByCharacters, EmptyTextAndNarrowColumns) {
    FakeMeasurer m(7, 14);
    const LineCount empty = CountTextLines(u"", 100, m);
    EXPECT_EQ(empty.lines, 0);
    EXPECT_EQ(empty.lineHeight, 0);
    EXPECT_EQ(m.calls, 0);
    // A column narrower than one character still shows one per line.
    EXPECT_EQ(Lines(u"abc", WrapByCharacters(u"abc", 3, m)), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    EXPECT_EQ(Lines(u"abc", WrapByCharacters(u"abc", -5, m)), (std::vector<std::u16string>{u"a", u"b", u"c"}));
}

TEST(WrapByCharacters, OutputEndsEveryLineThatDidNotEndItself) {
    FakeMeasurer m(7, 14);
    const std::u16string text = u"0123456789\nab";
    const WrappedText w = WrapByCharacters(text, 36, m);  // 5 characters a line
    EXPECT_EQ(WrappedOutput(text, w), u"01234\r\n56789\r\n\nab\r\n");
}

TEST(WrapByCharacters, MatchesOneByOneGrowthOnRandomTexts) {
    FakeMeasurer m(6, 13);
    m.SetWidth(u'W', 11);
    m.SetWidth(u'i', 2);
    m.SetWidth(u'\u0301', 0);  // combining accent
    m.SetWidth(u'\r', 0);
    m.SetWidth(u'\n', 0);
    const std::u16string alphabet = u"aWi.@\u0301\r\n5";
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        std::u16string text(rng() % 40, u' ');
        for (char16_t& c : text) c = alphabet[rng() % alphabet.size()];
        const int width = static_cast<int>(rng() % 60);
        const WrappedText fast = WrapByCharacters(text, width, m);
        const std::vector<WrapPiece> slow = GrowOneByOne(text, width, m);
        ASSERT_EQ(fast.pieces.size(), slow.size()) << "round " << round << " width " << width;
        for (size_t i = 0; i < slow.size(); ++i) {
            ASSERT_EQ(fast.pieces[i].start, slow[i].start) << "round " << round;
            ASSERT_EQ(fast.pieces[i].length, slow[i].length) << "round " << round;
        }
    }
}

TEST(WrapByCharacters, LongZeroWidthRunStaysCheap) {
    FakeMeasurer m(7, 14);
    m.SetWidth(u'\u200B', 0);
    std::u16string text(200000, u'\u200B');
    text += u"abc";
    const WrappedText w = WrapByCharacters(text, 100, m);
    EXPECT_EQ(w.pieces.size(), 1u);
    EXPECT_LT(m.calls, 200);
}

}  // namespace
}  // namespace cdv
