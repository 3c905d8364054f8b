#include "ui/dialogs/contact_card_layout.h"

#include <gtest/gtest.h>

#include "fake_measurer.h"

namespace cdv {
namespace {

using testing::FakeMeasurer;

constexpr int kClientRight = 224;  // the card's client width beside its scroll bar

TEST(CardLayout, LinesStackUnderEachOtherFromY100) {
    FakeMeasurer m(7, 14);
    const std::vector<CardLine> entries = {
        {u"Mobile", u"555-0100"},
        {u"Home Email", u"a.very.long.address.for.testing@example.org"},  // 43 characters
        {u"Work", u""},
        {u"Home", u"555-0199"},
    };
    const CardLines laid = LayOutCardLines(entries, kClientRight, m);
    ASSERT_EQ(laid.lines.size(), 4u);

    const ContactInfoLine& first = laid.lines[0];
    EXPECT_EQ(first.labelRect, (fw::Rect{5, 100, 95, 114}));
    EXPECT_EQ(first.valueRect, (fw::Rect{100, 100, 219, 114}));

    // The value column is 119 pixels: 16 characters of 7 pixels fit in 118,
    // so the address takes three lines while its label keeps one.
    const ContactInfoLine& email = laid.lines[1];
    EXPECT_EQ(email.labelRect, (fw::Rect{5, 114, 95, 128}));
    EXPECT_EQ(email.valueRect, (fw::Rect{100, 114, 219, 156}));
    EXPECT_EQ(WrappedOutput(email.value, WrapByCharacters(email.value, email.valueRect.Width(), m)),
              u"a.very.long.addr\r\ness.for.testing@\r\nexample.org\r\n");

    // An empty value takes no height; the next line starts where it stood.
    EXPECT_EQ(laid.lines[2].valueRect, (fw::Rect{100, 156, 219, 156}));
    EXPECT_EQ(laid.lines[2].labelRect.Height(), 0);
    EXPECT_EQ(laid.lines[3].valueRect.top, 156);
    EXPECT_EQ(laid.bottom, 170);
}

TEST(CardLayout, NoLinesLeaveTheBottomAt100) {
    FakeMeasurer m;
    EXPECT_EQ(LayOutCardLines({}, kClientRight, m).bottom, 100);
}

TEST(CardScroll, RangeWithAndWithoutTheMargin) {
    // Content within the window: nothing to scroll, no margin.
    for (int bottom : {170, 574, 575}) {
        const CardScrollRange r = ScrollRangeFor(bottom, 575);
        EXPECT_EQ(r.canvasHeight, 576) << bottom;
        EXPECT_EQ(r.scrollMax, bottom - 1) << bottom;
        EXPECT_LT(r.scrollMax, 575) << "a page of 575 must cover the whole range";
    }
    // Taller content gets 15 pixels under its last line and scrolls to show them.
    const CardScrollRange tall = ScrollRangeFor(700, 575);
    EXPECT_EQ(tall.canvasHeight, 715);
    EXPECT_EQ(tall.scrollMax, 714);
    EXPECT_EQ(tall.scrollMax + 1 - 575, 140);  // the last position shows rows 140..714
}

TEST(CardScroll, Requests) {
    const struct {
        int request;
        int expected;
    } cases[] = {
        {0, 49},   // SB_LINEUP
        {1, 51},   // SB_LINEDOWN
        {2, -525}, // SB_PAGEUP, clamped by the system later
        {3, 625},  // SB_PAGEDOWN
        {4, 50},   // SB_THUMBPOSITION: the track already moved it
        {5, 77},   // SB_THUMBTRACK
        {6, 0},    // SB_TOP
        {7, 714},  // SB_BOTTOM
        {8, 50},   // SB_ENDSCROLL
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RequestedScrollPos(c.request, 50, 575, 0, 714, 77), c.expected) << c.request;
    }
}

TEST(CardScroll, WheelStepsTenPixelsWhateverTheDelta) {
    EXPECT_EQ(WheelScrollPos(50, -240), 60);
    EXPECT_EQ(WheelScrollPos(50, -120), 60);
    EXPECT_EQ(WheelScrollPos(50, 120), 40);
    EXPECT_EQ(WheelScrollPos(50, 0), 40);
}

}  // namespace
}  // namespace cdv
