#pragma once
// Message box geometry: action button places and the text block. Pure
// arithmetic on pixel sizes, tested natively.

#include <array>

#include "ui/framework/geometry.h"

// Button-set flags.
constexpr unsigned kMsgBoxOk = 0x0001;
constexpr unsigned kMsgBoxYes = 0x0002;
constexpr unsigned kMsgBoxCancel = 0x0004;
constexpr unsigned kMsgBoxNo = 0x0008;

// Action buttons in set-up order.
enum MsgBoxAction { kActionOk = 0, kActionCancel = 1, kActionYes = 2, kActionNo = 3 };

struct MsgBoxButtonPlace {
    bool shown = false;
    fw::Point origin;
};

// Places for OK, Cancel, Yes and No (by MsgBoxAction) in a W x H client area,
// given each button's width and height. Shown buttons start 15 px from the
// right and 25 px from the bottom; one button is then centred, and the pairs
// OK-Cancel and Yes-No sit 20 px either side of the centre, all with their
// bottom 15 px above the client bottom. Other combinations keep their start.
std::array<MsgBoxButtonPlace, 4> PlaceMsgBoxButtons(int clientWidth, int clientHeight, unsigned buttonSet,
                                                    const std::array<fw::Point, 4>& sizes);

struct MsgBoxTextPlan {
    bool singleLine = true;
    fw::Rect rect;
};

// Where the message goes, given its single-line extent cx x cy. The text area
// runs from x 70 to W - 10: a text narrower than W - 80 is one line centred
// in the full height; a wider one is a block of cx / (W - 80) + 1 lines
// centred vertically and word-wrapped from its top.
MsgBoxTextPlan PlanMsgBoxText(int clientWidth, int clientHeight, int cx, int cy);
