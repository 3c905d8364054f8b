#pragma once
// Geometry and colours of a check-box list row and its header, as plain
// numbers. Row-bitmap coordinates count from the row's left edge, which lies
// at minus the horizontal scroll position in client coordinates.

#include <cstdint>

#include "ui/framework/geometry.h"

namespace cdv {

// State image index of a row (bits 12-15 of the item state).
constexpr int kRowUnticked = 1;
constexpr int kRowTicked = 2;

constexpr int kListCheckFrames = 4;
constexpr int kListCheckLeft = 5;   // check box x inside the row
constexpr int kListCheckGap = 10;   // between the check box slot and the text or marker
constexpr int kListMarkerGap = 5;   // between the deleted marker and the text

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}
constexpr std::uint32_t kRowOddColour = Rgb(255, 255, 255);
constexpr std::uint32_t kRowEvenColour = Rgb(245, 245, 245);
constexpr std::uint32_t kRowSelectedColour = Rgb(161, 219, 238);
constexpr std::uint32_t kRowRuleColour = Rgb(220, 220, 220);
constexpr std::uint32_t kDeletedTextColour = Rgb(255, 0, 0);

// (a - b) / 2 rounded toward zero: an image taller than its row sits
// centred and overhangs both edges rather than landing far outside.
constexpr int HalfDiff(int a, int b) { return (a - b) / 2; }

std::uint32_t RowBackground(int rowIndex, bool selected);

// The strip frame painted for a state image index: 0 unticked, 2 otherwise
// (an item without a check state shows ticked).
int ListCheckFrame(int stateIndex);

// State image index after a click on the box: unticked becomes ticked,
// anything else unticked.
int ToggledRowState(int stateIndex);

struct ListCellLayout {
    fw::Point checkBox;      // column 0 only
    fw::Point marker;        // column 0 of a deleted record only
    fw::Rect text;           // row-bitmap coordinates
    bool hasCheckBox = false;
    bool hasMarker = false;
    bool separator = false;  // a line at text.left from top to bottom
};

// One cell of a row. `label` is the column's label rectangle in client
// coordinates; `offset` the horizontal offset (minus the scroll position);
// image sizes of a missing file are 0.
ListCellLayout LayoutListCell(int column, const fw::Rect& label, int offset, int checkStripWidth,
                              int checkStripHeight, bool deleted, int markerWidth);

// Where a click toggles a row's check: the painted box, so it follows
// horizontal scrolling. `row` is the row's bounds in client coordinates.
// Empty when the check box image is missing.
fw::Rect ListCheckZone(const fw::Rect& row, int checkStripWidth, int checkStripHeight);

inline bool Contains(const fw::Rect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Header sort arrow's top-left corner for a header item rectangle.
fw::Point SortArrowOrigin(const fw::Rect& item, int arrowHeight);

}  // namespace cdv
