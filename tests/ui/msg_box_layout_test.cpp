// Message box button places and text block.

#include <gtest/gtest.h>

#include "ui/dialogs/msg_box_layout.h"

namespace {

const std::array<fw::Point, 4> kSizes = {fw::Point{70, 26}, fw::Point{80, 26}, fw::Point{60, 26}, fw::Point{50, 26}};

TEST(PlaceMsgBoxButtons, SingleAndPairedLayouts) {
    const int W = 400;
    const int H = 180;
    const int y = H - 26 - 15;

    auto ok = PlaceMsgBoxButtons(W, H, kMsgBoxOk, kSizes);
    EXPECT_TRUE(ok[kActionOk].shown);
    EXPECT_FALSE(ok[kActionCancel].shown || ok[kActionYes].shown || ok[kActionNo].shown);
    EXPECT_EQ(ok[kActionOk].origin, (fw::Point{(W - 70) / 2, y}));

    auto okCancel = PlaceMsgBoxButtons(W, H, kMsgBoxOk | kMsgBoxCancel, kSizes);
    EXPECT_EQ(okCancel[kActionOk].origin, (fw::Point{W / 2 - 70 - 20, y}));
    EXPECT_EQ(okCancel[kActionCancel].origin, (fw::Point{W / 2 + 20, y}));
    // 40 pixels between the right edge of OK and the left edge of Cancel.
    EXPECT_EQ(okCancel[kActionCancel].origin.x - (okCancel[kActionOk].origin.x + 70), 40);

    auto yesNo = PlaceMsgBoxButtons(W, H, kMsgBoxYes | kMsgBoxNo, kSizes);
    EXPECT_EQ(yesNo[kActionYes].origin, (fw::Point{W / 2 - 60 - 20, y}));
    EXPECT_EQ(yesNo[kActionNo].origin, (fw::Point{W / 2 + 20, y}));

    auto single = PlaceMsgBoxButtons(W, H, kMsgBoxNo, kSizes);
    EXPECT_EQ(single[kActionNo].origin, (fw::Point{(W - 50) / 2, y}));
}

TEST(PlaceMsgBoxButtons, OtherCombinationsKeepTheirSetUpPlace) {
    auto odd = PlaceMsgBoxButtons(400, 180, kMsgBoxOk | kMsgBoxNo, kSizes);
    EXPECT_EQ(odd[kActionOk].origin, (fw::Point{400 - 70 - 15, 180 - 26 - 25}));
    EXPECT_EQ(odd[kActionNo].origin, (fw::Point{400 - 50 - 15, 180 - 26 - 25}));
    auto none = PlaceMsgBoxButtons(400, 180, 0, kSizes);
    for (const auto& place : none) EXPECT_FALSE(place.shown);
}

TEST(PlanMsgBoxText, OneLineOrACentredBlock) {
    // W - 80 = 320 pixels of text width.
    MsgBoxTextPlan one = PlanMsgBoxText(400, 180, 319, 18);
    EXPECT_TRUE(one.singleLine);
    EXPECT_EQ(one.rect, (fw::Rect{70, 0, 390, 180}));

    MsgBoxTextPlan two = PlanMsgBoxText(400, 180, 320, 18);
    EXPECT_FALSE(two.singleLine);
    EXPECT_EQ(two.rect, (fw::Rect{70, (180 - 36) / 2, 390, (180 - 36) / 2 + 36}));

    MsgBoxTextPlan three = PlanMsgBoxText(400, 180, 700, 18);
    EXPECT_EQ(three.rect.Height(), 3 * 18);

    MsgBoxTextPlan narrow = PlanMsgBoxText(60, 100, 10, 18);
    EXPECT_FALSE(narrow.singleLine);
    EXPECT_EQ(narrow.rect.Height(), 18) << "no text width at all: one wrapped line, no division by zero";
}

}  // namespace
