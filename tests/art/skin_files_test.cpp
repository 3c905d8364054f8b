// The rendered skin files against what the windows expect of them: every file
// present in its format with its frame count, and sizes that keep the layouts
// of the main window, the message box and the about box free of collisions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/art/image_headers.h"

namespace skin_test {
namespace {

constexpr int kMainWidth = 984;
constexpr int kMainHeight = 674;
constexpr int kTitleBarBottom = 32;  // the tree and the list start at y 32
constexpr int kContentBottom = 609;  // the tree and the contact card end here

std::string PathOf(const std::string& name) { return std::string(CARDIVANE_IMAGE_DIR) + "/" + name; }

struct Size {
    int width = 0;
    int height = 0;
};

// One frame of a strip (or the whole picture for frames = 1).
Size FrameSize(const std::string& name, int frames = 1) {
    const ImageHeader h = ReadImageHeader(PathOf(name));
    EXPECT_TRUE(h.error.empty()) << name << ": " << h.error;
    return {int(h.width) / frames, int(h.height)};
}

struct Rect {
    int left, top, right, bottom;
};

// The image buttons' placement rule: a negative x or y counts from the right
// or bottom edge of the parent's client area.
Rect Place(int x, int y, Size s, int parentWidth = kMainWidth, int parentHeight = kMainHeight) {
    if (x < 0) x += parentWidth - s.width;
    if (y < 0) y += parentHeight - s.height;
    return {x, y, x + s.width, y + s.height};
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const Rect& r, const Rect& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
}

std::string Describe(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

void ExpectApart(const std::vector<std::pair<std::string, Rect>>& shown) {
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(Overlap(shown[i].second, shown[j].second))
                << shown[i].first << " " << Describe(shown[i].second) << " overlaps " << shown[j].first << " "
                << Describe(shown[j].second);
}

struct SkinFile {
    const char* name;
    Format format;
    int frames;
    bool shaped;  // not a full rectangle: needs an alpha channel
};

// Every file the program reads from its image folder, with its strip frames.
const SkinFile kSkinFiles[] = {
    {"mainbg1.png", Format::Png, 1, false},     {"mainbg2.png", Format::Png, 1, false},
    {"step1.png", Format::Png, 1, false},       {"min.png", Format::Png, 4, true},
    {"close.png", Format::Png, 4, true},        {"btn_home.png", Format::Png, 4, true},
    {"btn_help.png", Format::Png, 4, true},     {"pause.png", Format::Png, 4, true},
    {"continue.png", Format::Png, 4, true},     {"stop.png", Format::Png, 4, true},
    {"menu.png", Format::Png, 3, true},         {"back.png", Format::Png, 3, true},
    {"recover.png", Format::Png, 3, true},      {"refresh.png", Format::Png, 3, true},
    {"contacts.png", Format::Png, 1, true},     {"loaddata.gif", Format::Gif, 1, false},
    {"loadfail.png", Format::Png, 1, false},    {"animate.png", Format::Png, 8, true},
    {"list_hearder.bmp", Format::Bmp, 1, false}, {"inc.png", Format::Png, 1, true},
    {"dec.png", Format::Png, 1, true},          {"checkbox.png", Format::Png, 4, true},
    {"deleted.png", Format::Png, 1, true},      {"tree_opened.bmp", Format::Bmp, 1, false},
    {"tree_closed.bmp", Format::Bmp, 1, false}, {"checkboxes.png", Format::Png, 5, true},
    {"treeroot.png", Format::Png, 1, true},     {"msgbox.png", Format::Png, 1, false},
    {"ok.png", Format::Png, 4, true},           {"cancel.png", Format::Png, 4, true},
    {"yes.png", Format::Png, 4, true},          {"no.png", Format::Png, 4, true},
    {"warn.png", Format::Png, 1, true},         {"info.png", Format::Png, 1, true},
    {"error.png", Format::Png, 1, true},        {"right.png", Format::Png, 1, true},
    {"contactperson.png", Format::Png, 1, true}, {"aboutbk.png", Format::Png, 1, false},
};

TEST(SkinFiles, EveryFileExistsInItsFormatAndSplitsIntoWholeFrames) {
    for (const SkinFile& f : kSkinFiles) {
        SCOPED_TRACE(f.name);
        const ImageHeader h = ReadImageHeader(PathOf(f.name));
        ASSERT_TRUE(h.error.empty()) << h.error;
        EXPECT_EQ(h.format, f.format);
        EXPECT_GT(h.height, 0u);
        EXPECT_GT(h.width / f.frames, 0u);
        // A leftover column would never show and would shift every frame after the first.
        EXPECT_EQ(h.width % f.frames, 0u) << h.width << " pixels in " << f.frames << " frames";
        if (f.format == Format::Png) {
            // 8-bit truecolour; shaped pictures carry alpha, which GDI+ blends
            // over what lies behind them.
            EXPECT_EQ(h.bitsPerPixel, 8);
            EXPECT_EQ(h.colourType, f.shaped ? 6 : 2);
        }
    }
}

TEST(SkinFiles, BitmapsAreUncompressed24BitForLoadImage) {
    for (const char* name : {"list_hearder.bmp", "tree_opened.bmp", "tree_closed.bmp"}) {
        SCOPED_TRACE(name);
        const ImageHeader h = ReadImageHeader(PathOf(name));
        ASSERT_TRUE(h.error.empty()) << h.error;
        EXPECT_EQ(h.bmpInfoSize, 40u);  // BITMAPINFOHEADER
        EXPECT_EQ(h.bitsPerPixel, 24);
        EXPECT_EQ(h.bmpCompression, 0u);  // BI_RGB
    }
}

TEST(SkinFiles, LoadingAnimationHasWholeTimedFrames) {
    const ImageHeader h = ReadImageHeader(PathOf("loaddata.gif"));
    ASSERT_TRUE(h.error.empty()) << h.error;
    // Drawn stretched to the status rectangle (120, 230)-(905, 561).
    EXPECT_EQ(h.width, 785u);
    EXPECT_EQ(h.height, 331u);
    ASSERT_GE(h.gifFrames.size(), 2u);
    for (size_t i = 0; i < h.gifFrames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const auto& f = h.gifFrames[i];
        // The frame timer is re-armed with these delays; 0 would spin it.
        EXPECT_GT(f.delay, 0);
        // Whole frames, so the picture is right whatever disposal a decoder applies.
        EXPECT_EQ(f.left, 0);
        EXPECT_EQ(f.top, 0);
        EXPECT_EQ(f.width, h.width);
        EXPECT_EQ(f.height, h.height);
    }
}

TEST(SkinLayout, PicturesFitThePlacesTheyAreDrawnIn) {
    for (const char* name : {"mainbg1.png", "mainbg2.png"}) {
        const Size s = FrameSize(name);
        EXPECT_EQ(s.width, kMainWidth) << name;
        EXPECT_EQ(s.height, kMainHeight) << name;
    }
    // Stretched to the 785 x 331 status rectangle: any other size distorts.
    const Size fail = FrameSize("loadfail.png");
    EXPECT_EQ(fail.width, 785);
    EXPECT_EQ(fail.height, 331);
    // The step picture at (1, 74) stays inside the frame and above the status rectangle.
    const Size step = FrameSize("step1.png");
    EXPECT_LE(1 + step.width, kMainWidth - 1);
    EXPECT_LE(74 + step.height, 230);
    // Drawn scaled into 40 x 40 and 62 x 62.
    for (const char* name : {"warn.png", "info.png", "error.png", "right.png"}) {
        const Size s = FrameSize(name);
        EXPECT_EQ(s.width, 40) << name;
        EXPECT_EQ(s.height, 40) << name;
    }
    const Size person = FrameSize("contactperson.png");
    EXPECT_EQ(person.width, 62);
    EXPECT_EQ(person.height, 62);
}

TEST(SkinLayout, TreeAndListPiecesFitTheirRows) {
    constexpr int kTreeRow = 25, kListRow = 30, kHeaderHeight = 30;
    // The group's check box zone starts at L + 26 while the box is drawn at
    // L + glyph width + 10: the two agree for 16-pixel glyphs.
    for (const char* name : {"tree_opened.bmp", "tree_closed.bmp"}) {
        const Size s = FrameSize(name);
        EXPECT_EQ(s.width, 16) << name;
        EXPECT_LE(s.height, kTreeRow) << name;
    }
    const Size treeBox = FrameSize("checkboxes.png", 5);
    EXPECT_LE(treeBox.height, kTreeRow);
    for (const char* name : {"treeroot.png", "contacts.png"}) EXPECT_LE(FrameSize(name).height, kTreeRow) << name;

    // The deleted marker is drawn at the check box's y, so it shares its height.
    const Size listBox = FrameSize("checkbox.png", 4);
    const Size marker = FrameSize("deleted.png");
    EXPECT_LE(listBox.height, kListRow);
    EXPECT_EQ(marker.height, listBox.height);
    // The header's own check-all box is 14 x 14 at x 5, right above the rows' boxes.
    EXPECT_EQ(listBox.width, 14);

    // Column 2 of the header bitmap is stretched over the 30-pixel header.
    const Size header = FrameSize("list_hearder.bmp");
    EXPECT_GE(header.width, 3);
    EXPECT_EQ(header.height, kHeaderHeight);
    // Sort arrows sit at the column's right edge - 20.
    for (const char* name : {"inc.png", "dec.png"}) {
        const Size s = FrameSize(name);
        EXPECT_LE(s.width, 20) << name;
        EXPECT_LE(s.height, kHeaderHeight) << name;
    }
}

TEST(SkinLayout, CaptionButtonsLineUpInTheTitleBar) {
    const Rect titleBar{0, 0, kMainWidth, kTitleBarBottom};
    const std::vector<std::pair<std::string, Rect>> buttons = {
        {"close", Place(-8, 5, FrameSize("close.png", 4))},
        {"min", Place(-29, 5, FrameSize("min.png", 4))},
        {"menu", Place(-50, 5, FrameSize("menu.png", 3))},
        {"help", Place(-90, 5, FrameSize("btn_help.png", 4))},
        {"home", Place(-120, 5, FrameSize("btn_home.png", 4))},
    };
    for (const auto& [name, r] : buttons) EXPECT_TRUE(Inside(r, titleBar)) << name << " " << Describe(r);
    ExpectApart(buttons);
}

TEST(SkinLayout, FooterControlsShownTogetherDoNotCollide) {
    const Rect footer{0, kContentBottom, kMainWidth, kMainHeight};
    const Rect progress{42, 639, 42 + 730, 639 + 20};
    const Size frame = FrameSize("animate.png", 8);
    const Rect spinner{20, 641, 20 + frame.width, 641 + frame.height};
    const Rect pause = Place(-92, -20, FrameSize("pause.png", 4));
    const Rect cont = Place(-92, -20, FrameSize("continue.png", 4));
    const Rect stop = Place(-20, -20, FrameSize("stop.png", 4));
    const Rect back = Place(20, -20, FrameSize("back.png", 3));
    const Rect recover = Place(-30, -20, FrameSize("recover.png", 3));

    // Pause and continue take turns in one place.
    EXPECT_EQ(Describe(pause), Describe(cont));
    for (const auto& [name, r] : std::vector<std::pair<std::string, Rect>>{
             {"spinner", spinner}, {"pause", pause}, {"stop", stop}, {"back", back}, {"recover", recover}})
        EXPECT_TRUE(Inside(r, footer)) << name << " " << Describe(r);

    // Loading or recovering: spinner, progress bar, pause (or continue) and stop.
    ExpectApart({{"spinner", spinner}, {"progress", progress}, {"pause", pause}, {"stop", stop}});
    // Results: back and recover.
    ExpectApart({{"back", back}, {"recover", recover}});
    // The spinner sits beside the bar's middle.
    EXPECT_NEAR(spinner.top + frame.height / 2.0, progress.top + 10, 2.0);
}

TEST(SkinLayout, MessageBoxFaceHoldsItsIconTextAndButtons) {
    const Size face = FrameSize("msgbox.png");
    const Rect box{0, 0, face.width, face.height};
    const Size button = FrameSize("ok.png", 4);
    for (const char* name : {"cancel.png", "yes.png", "no.png"}) {
        const Size s = FrameSize(name, 4);
        EXPECT_EQ(s.width, button.width) << name;
        EXPECT_EQ(s.height, button.height) << name;
    }
    const Rect close = Place(-5, 5, FrameSize("close.png", 4), face.width, face.height);
    const int buttonTop = face.height - button.height - 15;
    const Rect left{face.width / 2 - button.width - 20, buttonTop, face.width / 2 - 20, buttonTop + button.height};
    const Rect right{face.width / 2 + 20, buttonTop, face.width / 2 + 20 + button.width, buttonTop + button.height};
    const Rect icon{20, (face.height - 40) / 2, 60, (face.height - 40) / 2 + 40};

    for (const Rect& r : {close, left, right, icon}) EXPECT_TRUE(Inside(r, box)) << Describe(r);
    ExpectApart({{"close", close}, {"left button", left}, {"right button", right}, {"icon", icon}});
    // The title line at y 7 stays clear of the icon, and the message column
    // (x 70 to W - 10) is wide enough for the longest message in two lines.
    EXPECT_GE(icon.top, kTitleBarBottom);
    EXPECT_GE(face.width - 80, 300);
}

TEST(SkinLayout, AboutBoxFaceHoldsItsTextsAndButtons) {
    const Size face = FrameSize("aboutbk.png");
    const Rect box{0, 0, face.width, face.height};
    const Rect close = Place(-8, 5, FrameSize("close.png", 4), face.width, face.height);
    const Rect ok = Place(-20, -15, FrameSize("ok.png", 4), face.width, face.height);
    const Rect warning{40, 190, 450, 254};
    const Rect copyright{40, 310, 40 + 300, 310 + 15};  // one line of the 12-pixel font

    for (const Rect& r : {close, ok, warning, copyright}) EXPECT_TRUE(Inside(r, box)) << Describe(r);
    ExpectApart({{"close", close}, {"ok", ok}, {"warning", warning}, {"copyright", copyright}});
    EXPECT_GE(face.width - warning.right, 20) << "the paragraph needs a right margin";
}

}  // namespace
}  // namespace skin_test
