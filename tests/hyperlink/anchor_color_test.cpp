#include "ui/controls/anchor_color.h"

#include <gtest/gtest.h>

#include <string>

namespace cdv {
namespace {

TEST(AnchorColor, AcceptsThreeComponents) {
    const struct {
        std::u16string text;
        Rgb expected;
    } cases[] = {
        {u"255,0,0", {255, 0, 0}},
        {u"0,0,255", {0, 0, 255}},
        {u"255,255,255", {255, 255, 255}},
        {u" 12, 34 ,56", {12, 34, 56}},
        {std::u16string(u"1,2,3\0", 6), {1, 2, 3}},  // registry data with its terminator
    };
    for (const auto& c : cases) {
        const auto rgb = ParseAnchorColor(c.text);
        ASSERT_TRUE(rgb.has_value()) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(*rgb, c.expected);
    }
}

TEST(AnchorColor, AnythingElseKeepsTheDefault) {
    for (const std::u16string text : {u"", u"255,0", u"255,0,0,", u"1,2,3,4", u"256,0,0", u"-1,0,0", u"a,b,c",
                                      u"0,,0", u"0x1,0,0", u"0255,0,0", u"  255, 255, 255"}) {
        EXPECT_FALSE(ParseAnchorColor(text).has_value()) << std::string(text.begin(), text.end());
    }
}

}  // namespace
}  // namespace cdv
