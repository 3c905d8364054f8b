// Window centring arithmetic.

#include <gtest/gtest.h>

#include "ui/framework/geometry.h"

namespace {

TEST(CentredOrigin, CentresThenKeepsInsideTheWorkArea) {
    const fw::Rect work{0, 0, 1600, 1000};
    struct Case {
        int w, h;
        fw::Rect reference;
        fw::Point expected;
    } cases[] = {
        {984, 674, work, {308, 163}},                              // on the monitor
        {400, 200, {100, 100, 500, 400}, {100, 150}},              // over an owner
        {400, 200, {-300, -300, -100, -100}, {0, 0}},              // owner off the top-left
        {400, 200, {1500, 900, 1700, 1100}, {1200, 800}},          // owner off the bottom-right
        {2000, 1200, work, {0, 0}},                                // larger than the work area
        {401, 201, {0, 0, 100, 100}, {0, 0}},
    };
    for (const Case& c : cases) {
        fw::Point p = fw::CentredOrigin(c.w, c.h, c.reference, work);
        EXPECT_EQ(p.x, c.expected.x) << c.w << "x" << c.h;
        EXPECT_EQ(p.y, c.expected.y) << c.w << "x" << c.h;
    }
}

TEST(CentredOrigin, WorkAreaNotAtTheOrigin) {
    const fw::Rect work{-1280, 40, 0, 1024};
    fw::Point p = fw::CentredOrigin(200, 100, work, work);
    EXPECT_EQ(p.x, -1280 + (1280 - 200) / 2);
    EXPECT_EQ(p.y, 40 + (984 - 100) / 2);
}

}  // namespace
