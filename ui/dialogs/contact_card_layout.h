#pragma once
// Where the contact card puts its lines and how far it scrolls: plain
// arithmetic over a measuring seam, tested without a window.

#include <string>
#include <vector>

#include "contacts/card_content.h"
#include "ui/dialogs/contact_info_line.h"
#include "ui/dialogs/text_wrap.h"

namespace cdv {

namespace card {
constexpr int kFirstLineTop = 100;
constexpr int kLabelLeft = 5;
constexpr int kLabelRight = 95;
constexpr int kValueLeft = 100;
constexpr int kValueRightInset = 5;
constexpr int kBottomMargin = 15;  // under content taller than the window
constexpr int kWheelStep = 10;
}  // namespace card

struct CardLines {
    std::vector<ContactInfoLine> lines;
    int bottom = card::kFirstLineTop;  // y under the last line
};

// Lays the lines out from y = 100 down, each starting under the previous
// value; `clientRight` is the right edge of the card's client area. An empty
// value makes a line of no height.
CardLines LayOutCardLines(const std::vector<CardLine>& entries, int clientRight, TextMeasurer& measurer);

struct CardScrollRange {
    int canvasHeight = 0;  // height of the drawn content area
    int scrollMax = 0;     // inclusive maximum of the scroll bar (pixels)
};

// Content that ends within the window does not scroll (the bar shows
// disabled); taller content gets a 15-pixel margin under its last line and
// scrolls exactly far enough to show it.
CardScrollRange ScrollRangeFor(int contentBottom, int clientHeight);

// The position a scroll bar request asks for, before the system clamps it.
// Request codes are those of WM_VSCROLL (SB_LINEUP = 0 ... SB_ENDSCROLL = 8).
int RequestedScrollPos(int request, int current, int page, int minimum, int maximum, int trackPos);

// One wheel message scrolls 10 pixels whatever its size: down for a negative
// delta, up otherwise.
int WheelScrollPos(int current, int wheelDelta);

}  // namespace cdv
