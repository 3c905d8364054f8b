#pragma once
// Where the skinned tree paints the parts of one line and where a click
// ticks it, as plain numbers (client coordinates), plus the tick rules that
// link the root to its categories.

#include <cstdint>
#include <vector>

#include "ui/framework/geometry.h"

namespace cdv {

constexpr int kTreeCheckFrames = 5;
constexpr int kTreeFrameUnticked = 0;
constexpr int kTreeFrameTicked = 3;
constexpr int kTreeFrameUnavailable = 4;

// State image index of an item (bits 12-15 of the item state).
constexpr int kItemUnticked = 1;
constexpr int kItemTicked = 2;

struct Size {
    int width = 0;
    int height = 0;
};

// The skin pictures the layout depends on; a missing file reads 0 x 0.
struct TreeSkinSizes {
    Size checkStrip;   // all five frames side by side
    Size glyph;        // expand glyph of the item's current state
    Size rootIcon;
    int FrameWidth() const { return checkStrip.width / kTreeCheckFrames; }
};

struct GroupItemLayout {
    fw::Point glyph;
    fw::Point checkBox;
    fw::Point icon;
    fw::Rect caption;
};

struct LeafItemLayout {
    fw::Point checkBox;
    fw::Rect highlight;   // the gradient behind a selected category
    fw::Point icon;
    fw::Rect caption;
};

// `line` is the item's whole line rectangle.
GroupItemLayout LayoutGroupItem(const fw::Rect& line, const TreeSkinSizes& skin);

// `contentRight` is the content width plus the horizontal offset: the right
// end of the scrolled content in client coordinates.
LeafItemLayout LayoutLeafItem(const fw::Rect& line, const TreeSkinSizes& skin, Size icon,
                              int contentRight);

// Where a click toggles the item's tick: on the painted box.
fw::Rect TreeCheckZone(bool groupItem, const fw::Rect& line, const TreeSkinSizes& skin);

// Strip frame for an item: a category without data shows "unavailable";
// otherwise unticked only for state index 1 (an item without a check state,
// index 0, shows ticked).
int TreeCheckFrame(bool hasData, int stateIndex);

struct CategoryState {
    bool hasData = false;
    int stateIndex = 0;
};

// The root is unticked while any category holding data is unticked.
int RootStateFor(const std::vector<CategoryState>& categories);

// Categories whose tick changes when the root is set to `ticked` (their
// index minus one differs from the new tick), in order; every category
// takes the root's index whether or not it holds data.
std::vector<std::size_t> CategoriesChangedBy(const std::vector<CategoryState>& categories,
                                             bool ticked);

}  // namespace cdv
