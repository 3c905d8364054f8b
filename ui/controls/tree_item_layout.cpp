#include "ui/controls/tree_item_layout.h"

#include "ui/controls/list_row_layout.h"

namespace cdv {

namespace {
// Leaf pictures leave a glyph slot at the left, so a category's check box
// sits one frame plus 36 pixels from its line's left edge.
constexpr int kLeafCheckInset = 36;
}  // namespace

GroupItemLayout LayoutGroupItem(const fw::Rect& line, const TreeSkinSizes& skin) {
    const int L = line.left;
    const int T = line.top;
    const int rh = line.Height();
    const int fw = skin.FrameWidth();
    GroupItemLayout g;
    g.glyph = fw::Point{L + 5, T + HalfDiff(rh, skin.glyph.height)};
    g.checkBox = fw::Point{L + skin.glyph.width + 10, T + HalfDiff(rh, skin.checkStrip.height)};
    g.icon = fw::Point{L + skin.glyph.width + fw + 15, T + HalfDiff(rh, skin.rootIcon.height)};
    const int top = T + HalfDiff(rh, 15);
    g.caption = fw::Rect{L + skin.rootIcon.width + fw + 36, top, line.right, top + 16};
    return g;
}

LeafItemLayout LayoutLeafItem(const fw::Rect& line, const TreeSkinSizes& skin, Size icon,
                              int contentRight) {
    const int L = line.left;
    const int T = line.top;
    const int rh = line.Height();
    const int fw = skin.FrameWidth();
    LeafItemLayout f;
    f.checkBox = fw::Point{L + fw + kLeafCheckInset, T + HalfDiff(rh, skin.checkStrip.height)};
    f.highlight = fw::Rect{L + 2 * fw + icon.width + 46, T, contentRight, line.bottom};
    f.icon = fw::Point{L + 2 * fw + 41, T + HalfDiff(rh, icon.height)};
    const int top = T + HalfDiff(rh, 15);
    f.caption = fw::Rect{L + icon.width + 2 * fw + 46, top, line.right, top + 15};
    return f;
}

fw::Rect TreeCheckZone(bool groupItem, const fw::Rect& line, const TreeSkinSizes& skin) {
    const int fw = skin.FrameWidth();
    const int left = groupItem ? line.left + skin.glyph.width + 10 : line.left + fw + kLeafCheckInset;
    const int top = line.top + HalfDiff(line.Height(), skin.checkStrip.height);
    return fw::Rect{left, top, left + fw, top + skin.checkStrip.height};
}

int TreeCheckFrame(bool hasData, int stateIndex) {
    if (!hasData) return kTreeFrameUnavailable;
    return stateIndex == kItemUnticked ? kTreeFrameUnticked : kTreeFrameTicked;
}

int RootStateFor(const std::vector<CategoryState>& categories) {
    for (const CategoryState& c : categories) {
        if (c.hasData && c.stateIndex == kItemUnticked) return kItemUnticked;
    }
    return kItemTicked;
}

std::vector<std::size_t> CategoriesChangedBy(const std::vector<CategoryState>& categories,
                                             bool ticked) {
    std::vector<std::size_t> changed;
    const int tick = ticked ? 1 : 0;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        if (categories[i].stateIndex - 1 != tick) changed.push_back(i);
    }
    return changed;
}

}  // namespace cdv
