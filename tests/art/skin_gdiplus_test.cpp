// The skin files as the program's own loaders see them: GDI+ for the pictures
// and the animated GIF, LoadImage for the list header bitmap, read from the
// image folder beside the test program, as the program reads its own.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/art/image_headers.h"

namespace skin_test {
namespace {

class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

std::wstring ImageFolder() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path(module);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"image\\";
}

std::wstring WidePath(const char* name) { return ImageFolder() + std::wstring(name, name + strlen(name)); }

std::string NarrowPath(const char* name) {
    const std::wstring wide = WidePath(name);
    return std::string(wide.begin(), wide.end());  // the build paths are ASCII
}

struct Picture {
    const char* name;
    int frames;
    bool shaped;  // transparent around its shape
};

const Picture kPictures[] = {
    {"mainbg1.png", 1, false},   {"mainbg2.png", 1, false},   {"step1.png", 1, false},
    {"min.png", 4, true},        {"close.png", 4, true},      {"btn_home.png", 4, true},
    {"btn_help.png", 4, true},   {"pause.png", 4, true},      {"continue.png", 4, true},
    {"stop.png", 4, true},       {"menu.png", 3, true},       {"back.png", 3, true},
    {"recover.png", 3, true},    {"refresh.png", 3, true},    {"contacts.png", 1, true},
    {"loaddata.gif", 1, false},  {"loadfail.png", 1, false},  {"animate.png", 8, true},
    {"inc.png", 1, true},        {"dec.png", 1, true},        {"checkbox.png", 4, true},
    {"deleted.png", 1, true},    {"tree_opened.bmp", 1, false}, {"tree_closed.bmp", 1, false},
    {"checkboxes.png", 5, true}, {"treeroot.png", 1, true},   {"msgbox.png", 1, false},
    {"ok.png", 4, true},         {"cancel.png", 4, true},     {"yes.png", 4, true},
    {"no.png", 4, true},         {"warn.png", 1, true},       {"info.png", 1, true},
    {"error.png", 1, true},      {"right.png", 1, true},      {"contactperson.png", 1, true},
    {"aboutbk.png", 1, false},
};

TEST(SkinGdiplus, EveryPictureDecodesAtItsFileSize) {
    for (const Picture& p : kPictures) {
        SCOPED_TRACE(p.name);
        Gdiplus::Bitmap bitmap(WidePath(p.name).c_str());
        ASSERT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok);
        const ImageHeader header = ReadImageHeader(NarrowPath(p.name));
        ASSERT_TRUE(header.error.empty()) << header.error;
        EXPECT_EQ(bitmap.GetWidth(), header.width);
        EXPECT_EQ(bitmap.GetHeight(), header.height);
    }
}

TEST(SkinGdiplus, ShapedPicturesAreTransparentAroundOpaqueInk) {
    for (const Picture& p : kPictures) {
        if (!p.shaped) continue;
        SCOPED_TRACE(p.name);
        Gdiplus::Bitmap bitmap(WidePath(p.name).c_str());
        ASSERT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok);
        const UINT frameWidth = bitmap.GetWidth() / p.frames;
        Gdiplus::Color corner;
        ASSERT_EQ(bitmap.GetPixel(0, 0, &corner), Gdiplus::Ok);
        EXPECT_LT(corner.GetA(), 64) << "the captured background must show at the corner";
        bool opaque = false;
        for (UINT y = 0; y < bitmap.GetHeight() && !opaque; ++y)
            for (UINT x = 0; x < frameWidth && !opaque; ++x) {
                Gdiplus::Color c;
                bitmap.GetPixel(x, y, &c);
                opaque = c.GetA() == 255;
            }
        EXPECT_TRUE(opaque) << "frame 0 draws nothing solid";
    }
}

TEST(SkinGdiplus, LoadingGifStepsThroughTimedFrames) {
    Gdiplus::Image gif(WidePath("loaddata.gif").c_str());
    ASSERT_EQ(gif.GetLastStatus(), Gdiplus::Ok);
    const UINT dimensions = gif.GetFrameDimensionsCount();
    ASSERT_GE(dimensions, 1u);
    std::vector<GUID> ids(dimensions);
    ASSERT_EQ(gif.GetFrameDimensionsList(ids.data(), dimensions), Gdiplus::Ok);
    const UINT frames = gif.GetFrameCount(&ids[0]);
    const ImageHeader header = ReadImageHeader(NarrowPath("loaddata.gif"));
    EXPECT_EQ(frames, header.gifFrames.size());
    ASSERT_GE(frames, 2u);

    // PropertyTagFrameDelay: one 32-bit delay per frame, in hundredths of a second.
    const UINT size = gif.GetPropertyItemSize(0x5100);
    ASSERT_GE(size, sizeof(Gdiplus::PropertyItem) + frames * sizeof(UINT));
    std::vector<BYTE> buffer(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    ASSERT_EQ(gif.GetPropertyItem(0x5100, size, item), Gdiplus::Ok);
    const UINT* delays = static_cast<const UINT*>(item->value);
    for (UINT i = 0; i < frames; ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        EXPECT_GT(delays[i], 0u);
        EXPECT_EQ(delays[i], header.gifFrames[i].delay);
        EXPECT_EQ(gif.SelectActiveFrame(&Gdiplus::FrameDimensionTime, i), Gdiplus::Ok);
    }
}

TEST(SkinGdiplus, HeaderBitmapLoadsWithLoadImageAsGdiplusSeesIt) {
    const std::wstring path = WidePath("list_hearder.bmp");
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    ASSERT_NE(GetObjectW(bitmap, sizeof(info), &info), 0);
    Gdiplus::Bitmap decoded(path.c_str());
    ASSERT_EQ(decoded.GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(UINT(info.bmWidth), decoded.GetWidth());
    EXPECT_EQ(UINT(info.bmHeight), decoded.GetHeight());

    // Column 2 is the one the header stretches: same pixels, same way up.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < info.bmHeight; ++y) {
        Gdiplus::Color expected;
        decoded.GetPixel(2, y, &expected);
        const COLORREF got = GetPixel(dc, 2, y);
        EXPECT_EQ(got, RGB(expected.GetR(), expected.GetG(), expected.GetB())) << "row " << y;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace skin_test
