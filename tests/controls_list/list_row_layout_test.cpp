#include "ui/controls/list_row_layout.h"

#include <gtest/gtest.h>

namespace {

using namespace cdv;

TEST(ListRowLayout, RowBackgroundByIndexAndSelection) {
    EXPECT_EQ(RowBackground(3, false), Rgb(255, 255, 255));
    EXPECT_EQ(RowBackground(4, false), Rgb(245, 245, 245));
    EXPECT_EQ(RowBackground(0, false), Rgb(245, 245, 245));
    EXPECT_EQ(RowBackground(3, true), Rgb(161, 219, 238));
    EXPECT_EQ(RowBackground(4, true), Rgb(161, 219, 238));
}

TEST(ListRowLayout, CheckFramesAndToggles) {
    struct Case {
        int state;
        int frame;
        int toggled;
    } cases[] = {{1, 0, 2}, {2, 2, 1}, {0, 2, 1}, {3, 2, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(ListCheckFrame(c.state), c.frame) << c.state;
        EXPECT_EQ(ToggledRowState(c.state), c.toggled) << c.state;
    }
}

TEST(ListRowLayout, FirstColumnMakesRoomForTheBoxAndTheMarker) {
    // 56 x 14 strip (14-pixel frames), 12-pixel marker, row 30 high, scrolled by 40.
    const fw::Rect label{-20, 100, 110, 130};
    ListCellLayout live = LayoutListCell(0, label, -40, 56, 14, false, 12);
    EXPECT_TRUE(live.hasCheckBox);
    EXPECT_FALSE(live.hasMarker);
    EXPECT_FALSE(live.separator);
    EXPECT_EQ(live.checkBox, (fw::Point{5, 8}));
    EXPECT_EQ(live.text, (fw::Rect{20 + 14 + 10, 0, 150, 30}));

    ListCellLayout deleted = LayoutListCell(0, label, -40, 56, 14, true, 12);
    EXPECT_TRUE(deleted.hasMarker);
    EXPECT_EQ(deleted.marker, (fw::Point{24, 8}));
    EXPECT_EQ(deleted.text.left, 20 + 14 + 10 + 12 + 5);

    ListCellLayout other = LayoutListCell(2, fw::Rect{300, 100, 480, 130}, -40, 56, 14, true, 12);
    EXPECT_FALSE(other.hasCheckBox);
    EXPECT_FALSE(other.hasMarker);
    EXPECT_TRUE(other.separator);
    EXPECT_EQ(other.text, (fw::Rect{340, 0, 520, 30}));
}

TEST(ListRowLayout, CheckZoneFollowsThePaintedBox) {
    // Unscrolled row 2 of 30-pixel rows; then the same row scrolled by 40 pixels.
    EXPECT_EQ(ListCheckZone(fw::Rect{0, 60, 650, 90}, 56, 14), (fw::Rect{5, 68, 19, 82}));
    EXPECT_EQ(ListCheckZone(fw::Rect{-40, 60, 610, 90}, 56, 14), (fw::Rect{-35, 68, -21, 82}));
    // Missing image: an empty zone that no point lies in.
    fw::Rect none = ListCheckZone(fw::Rect{0, 0, 650, 30}, 0, 0);
    EXPECT_FALSE(Contains(none, 5, 15));
    // A box taller than its row stays centred on it.
    EXPECT_EQ(ListCheckZone(fw::Rect{0, 30, 650, 60}, 160, 40).top, 25);
}

TEST(ListRowLayout, SortArrowSitsTwentyPixelsFromTheRightEdgeCentred) {
    EXPECT_EQ(SortArrowOrigin(fw::Rect{150, 0, 320, 30}, 8), (fw::Point{300, 11}));
}

}  // namespace
