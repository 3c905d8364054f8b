// Portable skin rules: image folder, strips, font keys, image button geometry.

#include <gtest/gtest.h>

#include "ui/controls/font_key.h"
#include "ui/controls/img_button_layout.h"
#include "ui/controls/skin_path.h"
#include "ui/controls/strip.h"

namespace {

TEST(ImageFolderForProgram, DirectoryPlusImageFolder) {
    EXPECT_EQ(ImageFolderForProgram(L"D:\\Tools\\app.exe") + L"close.png", L"D:\\Tools\\image\\close.png");
    // A drive root keeps its backslash: the path has a doubled one.
    EXPECT_EQ(ImageFolderForProgram(L"D:\\app.exe") + L"close.png", L"D:\\\\image\\close.png");
    EXPECT_EQ(ImageFolderForProgram(L"\\\\server\\share\\bin\\Cardivane.exe"), L"\\\\server\\share\\bin\\image\\");
    EXPECT_EQ(ImageFolderForProgram(L"app.exe"), L"\\image\\");
}

TEST(Strip, FramesSideBySideWithRemainderDropped) {
    EXPECT_EQ(StripFrameWidth(108, 4), 27u);
    EXPECT_EQ(StripFrameWidth(110, 4), 27u) << "two leftover columns are never shown";
    EXPECT_EQ(StripFrameWidth(256, 8), 32u);
    EXPECT_EQ(StripFrameWidth(0, 4), 0u);
    EXPECT_EQ(StripFrameWidth(100, 0), 0u);
    EXPECT_EQ(StripFrame(110, 30, 4, 3), (fw::Rect{81, 0, 108, 30}));
    EXPECT_EQ(StripFrame(256, 20, 8, 0), (fw::Rect{0, 0, 32, 20}));
}

TEST(FontKey, BitsGiveStyleAndSignedHeightDelta) {
    struct Case {
        unsigned key;
        int height;
        int weight;
        bool italic;
        bool underline;
    } cases[] = {
        {0x0100, -12, 400, false, false}, {0x0104, -12, 700, false, false}, {0xFF00, -10, 400, false, false},
        {0x0500, -16, 400, false, false}, {0x0200, -13, 400, false, false}, {0x0003, -11, 400, true, true},
        {0x0108, -12, 400, false, false}, {0x8000, -11 + 128, 400, false, false},
    };
    for (const Case& c : cases) {
        FontKeyStyle s = DecodeFontKey(c.key, -11);
        EXPECT_EQ(s.height, c.height) << std::hex << c.key;
        EXPECT_EQ(s.weight, c.weight) << std::hex << c.key;
        EXPECT_EQ(s.italic, c.italic) << std::hex << c.key;
        EXPECT_EQ(s.underline, c.underline) << std::hex << c.key;
    }
    EXPECT_EQ(FontMapKey(0x10100), 0x100u);
    EXPECT_EQ(FontMapKey(0xFFFFFFFF00000104ull), 0x104u);
}

TEST(ImageButtonLayout, NegativeOffsetsCountFromTheFarEdges) {
    EXPECT_EQ(ImageButtonOrigin(-8, 5, 27, 30, 984, 674), (fw::Point{949, 5}));
    EXPECT_EQ(ImageButtonOrigin(20, -20, 40, 30, 984, 674), (fw::Point{20, 624}));
    EXPECT_EQ(ImageButtonOrigin(0, 0, 27, 30, 984, 674), (fw::Point{0, 0}));
    EXPECT_EQ(ImageButtonOrigin(-8, -8, 0, 0, 984, 674), (fw::Point{976, 666})) << "missing image: 0 x 0";
}

TEST(ImageButtonLayout, FramePerState) {
    EXPECT_EQ(ImageButtonFrameFor(true, false, false), kFrameNormal);
    EXPECT_EQ(ImageButtonFrameFor(true, false, true), kFrameHover);
    EXPECT_EQ(ImageButtonFrameFor(true, true, true), kFramePressed);
    EXPECT_EQ(ImageButtonFrameFor(true, true, false), kFramePressed);
    EXPECT_EQ(ImageButtonFrameFor(false, true, true), kFrameDisabled);
}

}  // namespace
