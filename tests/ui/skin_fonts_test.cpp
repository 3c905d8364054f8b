// Skin file paths and images, the font pool and the drawing helper library.

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/tallowkit/tallowkit.h"
#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/font_pool.h"
#include "ui/controls/skin.h"
#include "ui/controls/skin_path.h"
#include "ui/framework/gdi.h"

namespace {

LOGFONTW FontOf(HFONT font) {
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

TEST(SkinFilePath, ImageFolderPlusName) {
    const std::wstring saved = ImageFolder();
    SetImageFolder(ImageFolderForProgram(L"D:\\Tools\\app.exe"));
    EXPECT_EQ(SkinFilePath(L"close.png"), L"D:\\Tools\\image\\close.png");
    SetImageFolder(ImageFolderForProgram(L"D:\\app.exe"));
    EXPECT_EQ(SkinFilePath(L"close.png"), L"D:\\\\image\\close.png");
    SetImageFolder(saved);
}

TEST(SkinFilePath, DefaultsToTheFolderBesideTheProgram) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(ImageFolder(), ImageFolderForProgram(self));
}

TEST(SkinImages, LoadFromTheFolderAndMissingFilesAreEmpty) {
    const std::wstring saved = ImageFolder();
    uitest::ScratchFolder folder(L"skin");
    SetImageFolder(folder.Path());
    ASSERT_TRUE(uitest::WriteStripPng(folder.File(L"min.png"), 27, 30, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u}));
    {
        fw::ImagePtr strip = SkinImage(L"min.png");
        EXPECT_EQ(fw::ImageWidth(strip.get()), 108u);
        EXPECT_EQ(fw::ImageHeight(strip.get()), 30u);
        fw::ImagePtr missing = SkinImage(L"nothing.png");
        EXPECT_EQ(fw::ImageWidth(missing.get()), 0u);
    }

    // A 24-bit BMP for the GDI bitmap kind.
    {
        fw::MemoryDC dc(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = 5;
        bi.bmiHeader.biHeight = 30;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        const DWORD rowBytes = ((5 * 3 + 3) / 4) * 4;
        BITMAPFILEHEADER fh{};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
        fh.bfSize = fh.bfOffBits + rowBytes * 30;
        std::string pixels(rowBytes * 30, '\x7f');
        HANDLE file = ::CreateFileW(folder.File(L"list_hearder.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, &fh, sizeof(fh), &written, nullptr);
        ::WriteFile(file, &bi.bmiHeader, sizeof(bi.bmiHeader), &written, nullptr);
        ::WriteFile(file, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    fw::GdiBitmap header = SkinBitmap(L"list_hearder.bmp");
    ASSERT_TRUE(header);
    BITMAP bm{};
    ::GetObjectW(header.get(), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 30);
    EXPECT_FALSE(SkinBitmap(L"missing.bmp"));
    SetImageFolder(saved);
}

TEST(TkFontPool, OneFontPerKeyWithTheKeyedStyle) {
    TkFontPool& pool = TkFontPool::Instance();
    EXPECT_EQ(&pool, &TkFontPool::Instance());

    HFONT f100 = pool.FontByKey(0x100);
    ASSERT_NE(f100, nullptr);
    EXPECT_EQ(pool.FontByKey(0x100), f100);
    EXPECT_EQ(pool.FontByKey(0x10100), f100) << "bits above 15 are ignored";
    HFONT f108 = pool.FontByKey(0x108);
    EXPECT_NE(f108, f100) << "bits 3-7 make a key of their own";

    struct Case {
        unsigned key;
        LONG height;
        LONG weight;
    } cases[] = {{0x100, -12, 400}, {0x104, -12, 700}, {0xFF00, -10, 400}, {0x500, -16, 400}, {0x004, -11, 700}};
    for (const Case& c : cases) {
        LOGFONTW lf = FontOf(pool.FontByKey(c.key));
        EXPECT_STREQ(lf.lfFaceName, L"Tahoma") << std::hex << c.key;
        EXPECT_EQ(lf.lfHeight, c.height) << std::hex << c.key;
        EXPECT_EQ(lf.lfWeight, c.weight) << std::hex << c.key;
        EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET) << std::hex << c.key;
    }
    LOGFONTW l108 = FontOf(f108);
    LOGFONTW l100 = FontOf(f100);
    EXPECT_EQ(l108.lfHeight, l100.lfHeight);
    EXPECT_EQ(l108.lfWeight, l100.lfWeight);

    // Key 0 is the base font with the stock GUI font's own weight.
    LOGFONTW stock{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    LOGFONTW base = FontOf(pool.FontByKey(0));
    EXPECT_EQ(base.lfHeight, -11);
    EXPECT_EQ(base.lfWeight, stock.lfWeight);
    LOGFONTW italic = FontOf(pool.FontByKey(0x3));
    EXPECT_EQ(italic.lfItalic, 1);
    EXPECT_EQ(italic.lfUnderline, 1);
}

TEST(Tallowkit, GetFontGivesAnOwnedFontOfTheAskedHeight) {
    fw::GdiFont small(get_font(L"Arial", 14, 400));
    fw::GdiFont large(get_font(L"Arial", 16, 400));
    ASSERT_TRUE(small);
    ASSERT_TRUE(large);
    fw::MemoryDC dc(nullptr);
    TEXTMETRICW tmSmall{};
    TEXTMETRICW tmLarge{};
    {
        fw::SelectionGuard s(dc, small.get());
        ::GetTextMetricsW(dc, &tmSmall);
    }
    {
        fw::SelectionGuard s(dc, large.get());
        ::GetTextMetricsW(dc, &tmLarge);
    }
    EXPECT_EQ(tmSmall.tmHeight - tmSmall.tmInternalLeading, 14);
    EXPECT_EQ(tmLarge.tmHeight - tmLarge.tmInternalLeading, 16);
    EXPECT_EQ(FontOf(large.get()).lfWeight, 400);
    HFONT raw = large.release();
    EXPECT_TRUE(::DeleteObject(raw)) << "the caller may delete it";
}

TEST(Tallowkit, GradientFillsTheWholeRectangleAndNothingElse) {
    fw::MemoryDC dc(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 120;
    bi.bmiHeader.biHeight = -40;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    fw::GdiBitmap dib(::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    fw::SelectionGuard select(dc, dib.get());
    ::PatBlt(dc, 0, 0, 120, 40, WHITENESS);

    RECT rc{10, 5, 110, 35};
    gradient_fillrect(dc, &rc, RGB(168, 229, 246), RGB(241, 247, 249), 0);
    ::GdiFlush();
    auto px = [&](int x, int y) { return static_cast<const uint32_t*>(bits)[y * 120 + x] & 0xFFFFFFu; };
    EXPECT_TRUE(uitest::Near(px(10, 5), uitest::Rgb(168, 229, 246), 4));
    EXPECT_TRUE(uitest::Near(px(109, 34), uitest::Rgb(241, 247, 249), 4));
    EXPECT_TRUE(uitest::Near(px(60, 20), uitest::Rgb(204, 238, 247), 6)) << "halfway blend";
    for (int x = 0; x < 120; ++x) {
        EXPECT_EQ(px(x, 4), 0xFFFFFFu);
        EXPECT_EQ(px(x, 35), 0xFFFFFFu);
    }
    for (int y = 0; y < 40; ++y) {
        EXPECT_EQ(px(9, y), 0xFFFFFFu);
        EXPECT_EQ(px(110, y), 0xFFFFFFu);
    }
    gradient_fillrect(dc, nullptr, 0, 0, 0);  // nothing to fill, no crash
}

}  // namespace
