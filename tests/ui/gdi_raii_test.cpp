// The owning GDI and GDI+ wrappers free each handle once and put selections back.

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "tests/ui/harness/ui_harness.h"
#include "ui/framework/gdi.h"
#include "ui/framework/gdiplus_support.h"

namespace {

bool Alive(HGDIOBJ h) { return ::GetObjectType(h) != 0; }

TEST(GdiObject, DeletesOnceAndMovesOwnership) {
    HBRUSH raw = ::CreateSolidBrush(RGB(1, 2, 3));
    {
        fw::GdiBrush a(raw);
        fw::GdiBrush b(std::move(a));
        EXPECT_EQ(a.get(), nullptr);
        EXPECT_EQ(b.get(), raw);
        fw::GdiBrush c;
        c = std::move(b);
        EXPECT_TRUE(Alive(raw));
    }
    EXPECT_FALSE(Alive(raw));

    HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
    fw::GdiPen owner(pen);
    HPEN released = owner.release();
    owner.reset();
    EXPECT_TRUE(Alive(released)) << "a released handle is the caller's";
    ::DeleteObject(released);

    HFONT first = ::CreateFontW(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    HFONT second = ::CreateFontW(-14, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    fw::GdiFont font(first);
    font.reset(second);
    EXPECT_FALSE(Alive(first));
    EXPECT_TRUE(Alive(second));
}

TEST(SelectionGuard, RestoresThePreviousObject) {
    fw::MemoryDC dc(nullptr);
    ASSERT_NE(dc.get(), nullptr);
    HGDIOBJ before = ::GetCurrentObject(dc, OBJ_BRUSH);
    fw::GdiBrush brush(::CreateSolidBrush(RGB(9, 9, 9)));
    {
        fw::SelectionGuard guard(dc, brush.get());
        EXPECT_TRUE(guard.selected());
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush.get());
        fw::SelectionGuard moved(std::move(guard));
        EXPECT_FALSE(guard.selected());
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), before);

    fw::SelectionGuard nothing(dc, nullptr);
    EXPECT_FALSE(nothing.selected()) << "a null font from a failed creation selects nothing";
}

TEST(MemoryDC, IsDeletedAndMoves) {
    HDC raw = nullptr;
    {
        fw::MemoryDC a(nullptr);
        raw = a.get();
        fw::MemoryDC b(std::move(a));
        EXPECT_EQ(a.get(), nullptr);
        EXPECT_EQ(b.get(), raw);
    }
    EXPECT_EQ(::GetObjectType(raw), 0u);
}

TEST(OffscreenBuffer, OneCopyCarriesTheComposedPixels) {
    HWND w = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 20, 20, 40, 30, nullptr, nullptr,
                               nullptr, nullptr);
    uitest::PumpMessages(30);
    HBITMAP bitmap = nullptr;
    {
        fw::ClientDC target(w);
        fw::OffscreenBuffer buffer(target, 40, 30);
        ASSERT_TRUE(buffer.valid());
        bitmap = static_cast<HBITMAP>(::GetCurrentObject(buffer.dc(), OBJ_BITMAP));
        RECT all{0, 0, 40, 30};
        fw::GdiBrush green(::CreateSolidBrush(RGB(0, 200, 0)));
        ::FillRect(buffer.dc(), &all, green.get());
        EXPECT_TRUE(buffer.CopyTo(target, 0, 0));
    }
    EXPECT_FALSE(Alive(bitmap)) << "the buffer bitmap is freed";
    uitest::Capture cap = uitest::CaptureClient(w);
    ASSERT_FALSE(cap.Empty());
    EXPECT_TRUE(uitest::Near(cap.At(20, 15), uitest::Rgb(0, 200, 0)));
    ::DestroyWindow(w);
}

TEST(PaintDC, ValidatesTheUpdateRegion) {
    HWND w = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ::InvalidateRect(w, nullptr, FALSE);
    { fw::PaintDC dc(w); EXPECT_NE(dc.get(), nullptr); }
    EXPECT_FALSE(::GetUpdateRect(w, nullptr, FALSE));
    ::DestroyWindow(w);
}

TEST(GdiplusImage, MissingFileIsZeroSizedAndDrawsNothing) {
    fw::ImagePtr missing = fw::LoadImageFile(L"C:\\no\\such\\folder\\close.png");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(fw::ImageWidth(missing.get()), 0u);
    EXPECT_EQ(fw::ImageHeight(missing.get()), 0u);
    EXPECT_EQ(fw::ImageWidth(nullptr), 0u);

    fw::MemoryDC dc(nullptr);
    fw::GraphicsPtr g = fw::GraphicsForDC(dc);
    EXPECT_NE(g->DrawImage(missing.get(), 0, 0), Gdiplus::Ok);

    uitest::ScratchFolder folder(L"img");
    ASSERT_TRUE(uitest::WritePng(folder.File(L"a.png"), 12, 7, [](int, int) { return 0xFF102030u; }));
    {
        fw::ImagePtr image = fw::LoadImageFile(folder.File(L"a.png"));
        EXPECT_EQ(fw::ImageWidth(image.get()), 12u);
        EXPECT_EQ(fw::ImageHeight(image.get()), 7u);
    }  // released before the folder goes: GDI+ holds the file open
}

}  // namespace
