#include "ui/controls/tree_item_layout.h"

#include <gtest/gtest.h>

namespace {

using namespace cdv;

// 16 x 16 glyphs, a 5 x 13-pixel check strip (frames 13 wide), 20 x 18 root icon.
TreeSkinSizes Skin() {
    TreeSkinSizes s;
    s.checkStrip = Size{65, 13};
    s.glyph = Size{16, 16};
    s.rootIcon = Size{20, 18};
    return s;
}

TEST(TreeItemLayout, GroupItemParts) {
    GroupItemLayout g = LayoutGroupItem(fw::Rect{0, 0, 210, 25}, Skin());
    EXPECT_EQ(g.glyph, (fw::Point{5, 4}));
    EXPECT_EQ(g.checkBox, (fw::Point{26, 6}));
    EXPECT_EQ(g.icon, (fw::Point{16 + 13 + 15, 3}));
    EXPECT_EQ(g.caption, (fw::Rect{20 + 13 + 36, 5, 210, 21}));
}

TEST(TreeItemLayout, LeafItemPartsScrolled) {
    // Line starting 19 pixels in, content 400 wide scrolled by 30.
    LeafItemLayout f = LayoutLeafItem(fw::Rect{19, 25, 210, 50}, Skin(), Size{16, 16}, 400 - 30);
    EXPECT_EQ(f.checkBox, (fw::Point{19 + 13 + 36, 31}));
    EXPECT_EQ(f.highlight, (fw::Rect{19 + 26 + 16 + 46, 25, 370, 50}));
    EXPECT_EQ(f.icon, (fw::Point{19 + 26 + 41, 29}));
    EXPECT_EQ(f.caption, (fw::Rect{19 + 16 + 26 + 46, 30, 210, 45}));
}

TEST(TreeItemLayout, CheckZonesLieOnThePaintedBoxes) {
    const TreeSkinSizes skin = Skin();
    const fw::Rect root{0, 0, 210, 25};
    const fw::Rect leaf{19, 25, 210, 50};
    GroupItemLayout g = LayoutGroupItem(root, skin);
    LeafItemLayout f = LayoutLeafItem(leaf, skin, Size{16, 16}, 210);
    EXPECT_EQ(TreeCheckZone(true, root, skin), (fw::Rect{g.checkBox.x, g.checkBox.y, g.checkBox.x + 13, g.checkBox.y + 13}));
    EXPECT_EQ(TreeCheckZone(false, leaf, skin), (fw::Rect{f.checkBox.x, f.checkBox.y, f.checkBox.x + 13, f.checkBox.y + 13}));
    // A wider glyph moves the root's box, and its zone with it.
    TreeSkinSizes wide = skin;
    wide.glyph = Size{24, 16};
    EXPECT_EQ(TreeCheckZone(true, root, wide).left, LayoutGroupItem(root, wide).checkBox.x);
    // Missing strip: zero-width zone.
    TreeSkinSizes none = skin;
    none.checkStrip = Size{};
    fw::Rect z = TreeCheckZone(false, leaf, none);
    EXPECT_EQ(z.Width(), 0);
}

TEST(TreeItemLayout, CheckFrames) {
    struct Case {
        bool hasData;
        int state;
        int frame;
    } cases[] = {{true, 1, 0}, {true, 2, 3}, {true, 0, 3}, {false, 1, 4}, {false, 2, 4}};
    for (const Case& c : cases) EXPECT_EQ(TreeCheckFrame(c.hasData, c.state), c.frame) << c.hasData << c.state;
}

TEST(TreeTickRules, RootFollowsCategoriesThatHoldData) {
    EXPECT_EQ(RootStateFor({}), kItemTicked);
    EXPECT_EQ(RootStateFor({{true, 2}, {true, 2}}), kItemTicked);
    EXPECT_EQ(RootStateFor({{true, 2}, {true, 1}}), kItemUnticked);
    // An unticked category without data does not hold the root back; index 0 counts as ticked.
    EXPECT_EQ(RootStateFor({{false, 1}, {true, 2}, {true, 0}}), kItemTicked);
}

TEST(TreeTickRules, RootTickNamesOnlyCategoriesWhoseTickChanges) {
    std::vector<CategoryState> cats = {{true, 2}, {true, 1}, {false, 1}, {true, 0}};
    EXPECT_EQ(CategoriesChangedBy(cats, true), (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(CategoriesChangedBy(cats, false), (std::vector<std::size_t>{0, 3}));
}

}  // namespace
