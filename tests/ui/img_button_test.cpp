// The image button on a real parent: geometry, a frame per state, the
// captured background behind transparent pixels, clicks and the cursor.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/img_button.h"
#include "ui/framework/gdi.h"
#include "ui/framework/window_impl.h"

namespace {

using uitest::Near;
using uitest::Rgb;

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kYellow = 0xFFFFFF00u;
constexpr COLORREF kParentColour = RGB(255, 0, 255);

// A 984 x 674 parent that paints a flat colour, hands it to its buttons and
// reflects their notifications, as the skinned dialogs do.
class CParent : public fw::CWindowImpl<CParent> {
public:
    std::vector<CImgButton*> buttons;
    std::vector<int> clicked;

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        switch (msg) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            fw::PaintDC dc(hWnd);
            RECT rc = GetClientRect();
            fw::OffscreenBuffer buffer(dc, rc.right, rc.bottom);
            fw::GdiBrush brush(::CreateSolidBrush(kParentColour));
            ::FillRect(buffer.dc(), &rc, brush.get());
            buffer.CopyTo(dc, 0, 0);
            for (CImgButton* b : buttons) {
                RECT br = b->GetRectInParent();
                b->CaptureBackground(buffer.dc(), br.left, br.top);
                b->InvalidateRect(nullptr, false);
            }
            result = 0;
            return true;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) clicked.push_back(LOWORD(wParam));
            break;
        default:
            break;
        }
        return fw::ReflectNotifications(hWnd, msg, wParam, lParam, result);
    }
};

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(uitest::WriteStripPng(folder.File(L"four.png"), 27, 30, {kRed, kGreen, kBlue, kYellow}));
        ASSERT_TRUE(uitest::WriteStripPng(folder.File(L"three.png"), 27, 30, {kRed, kGreen, kBlue}));
        // Frame 0 red with a transparent band in columns 0-5.
        ASSERT_TRUE(uitest::WritePng(folder.File(L"holed.png"), 108, 30, [](int x, int) {
            if (x < 6) return 0x00000000u;
            return x < 27 ? kRed : kGreen;
        }));
        RECT rc{0, 0, 984, 674};
        ASSERT_NE(parent.Create(nullptr, rc, L"parent", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST), nullptr);
    }
    void TearDown() override {
        parent.DestroyWindow();
        // Release every image before the folder goes.
        for (auto& b : owned) b.reset();
    }

    HWND AddButton(int id) {
        return ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 10, 10, parent.m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    CImgButton& Setup(int id, const wchar_t* image, int x, int y, int states) {
        owned.emplace_back(new CImgButton);
        CImgButton& b = *owned.back();
        EXPECT_TRUE(b.SetupButton(AddButton(id), folder.File(image), x, y, states));
        parent.buttons.push_back(&b);
        return b;
    }
    uint32_t Centre(CImgButton& b) {
        uitest::Repaint(parent.m_hWnd);
        uitest::Capture cap = uitest::CaptureClient(b.m_hWnd);
        return cap.Empty() ? 0xDEADBEEF : cap.At(cap.width / 2, cap.height / 2);
    }

    uitest::ScratchFolder folder{L"imgbtn"};
    CParent parent;
    std::vector<std::unique_ptr<CImgButton>> owned;
};

TEST_F(ImageButtonTest, GeometryFromTheStripAndNegativeOffsets) {
    CImgButton& right = Setup(1000, L"four.png", -8, 5, 4);
    RECT rc = right.GetRectInParent();
    EXPECT_EQ(rc.left, 949);
    EXPECT_EQ(rc.right - rc.left, 27);
    EXPECT_EQ(rc.top, 5);
    EXPECT_EQ(rc.bottom - rc.top, 30);
    EXPECT_TRUE(right.IsWindowVisible());
    EXPECT_EQ(right.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));

    CImgButton& bottom = Setup(1001, L"four.png", 20, -20, 4);
    rc = bottom.GetRectInParent();
    EXPECT_EQ(rc.left, 20);
    EXPECT_EQ(rc.top, 624);

    CImgButton& missing = Setup(1002, L"none.png", -8, -8, 4);
    rc = missing.GetRectInParent();
    EXPECT_EQ(rc.right - rc.left, 0);
    EXPECT_EQ(rc.bottom - rc.top, 0);

    EXPECT_FALSE(CImgButton().SetupButton(nullptr, folder.File(L"four.png"), 0, 0, 4));
    // Setting up again replaces the strip and the size.
    EXPECT_TRUE(right.SetupButton(right.m_hWnd, folder.File(L"three.png"), -8, 5, 3));
    EXPECT_EQ(right.Width(), 27);
    EXPECT_EQ(right.GetRectInParent().left, 949);
}

TEST_F(ImageButtonTest, FramePerStateAndBackgroundThroughTransparentPixels) {
    CImgButton& b = Setup(1000, L"holed.png", 100, 100, 4);
    uitest::SetCursorAt(parent.m_hWnd, 500, 500);  // away from the button
    uitest::Repaint(parent.m_hWnd);
    uitest::Capture cap = uitest::CaptureClient(b.m_hWnd);
    ASSERT_FALSE(cap.Empty());
    EXPECT_TRUE(Near(cap.At(15, 15), Rgb(255, 0, 0))) << std::hex << cap.At(15, 15);
    EXPECT_TRUE(Near(cap.At(2, 15), Rgb(255, 0, 255))) << "parent shows through: " << std::hex << cap.At(2, 15);

    // Hover: the cursor over the button and a mouse move.
    uitest::SetCursorAt(b.m_hWnd, 15, 15);
    uitest::MouseMove(b.m_hWnd, 15, 15);
    EXPECT_TRUE(b.IsTracking());
    EXPECT_TRUE(Near(Centre(b), Rgb(0, 255, 0)));
    ::SendMessageW(b.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(b.IsTracking());
    EXPECT_TRUE(Near(Centre(b), Rgb(255, 0, 0)));
}

TEST_F(ImageButtonTest, PressDragOutAndReleaseOutsideDoesNotClick) {
    CImgButton& b = Setup(1000, L"four.png", 100, 100, 4);
    uitest::SetCursorAt(b.m_hWnd, 10, 10);
    uitest::MouseMove(b.m_hWnd, 10, 10);
    ASSERT_TRUE(b.IsTracking());

    uitest::LeftDown(b.m_hWnd, 10, 10);
    EXPECT_FALSE(b.IsTracking()) << "pressing ends hover tracking";
    EXPECT_EQ(::GetCapture(), b.m_hWnd);
    EXPECT_TRUE(Near(Centre(b), Rgb(0, 0, 255)));

    // Drag out while pressed: the button un-presses and shows frame 0.
    uitest::SetCursorAt(b.m_hWnd, 200, 200);
    uitest::MouseMove(b.m_hWnd, 200, 200, MK_LBUTTON);
    EXPECT_TRUE(Near(Centre(b), Rgb(255, 0, 0)));
    uitest::LeftUp(b.m_hWnd, 200, 200);
    uitest::PumpMessages(30);
    EXPECT_TRUE(parent.clicked.empty());

    // A full click inside reaches the parent as BN_CLICKED with the id.
    uitest::SetCursorAt(b.m_hWnd, 10, 10);
    uitest::LeftDown(b.m_hWnd, 10, 10);
    uitest::LeftUp(b.m_hWnd, 10, 10);
    uitest::PumpMessages(30);
    ASSERT_EQ(parent.clicked.size(), 1u);
    EXPECT_EQ(parent.clicked[0], 1000);
}

TEST_F(ImageButtonTest, HandCursorAndDisabledState) {
    CImgButton& b = Setup(1000, L"four.png", 100, 100, 4);
    EXPECT_EQ(::SendMessageW(b.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(b.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

    b.SetImageEnabled(false);
    EXPECT_TRUE(Near(Centre(b), Rgb(255, 255, 0))) << "frame 3";
    EXPECT_EQ(::SendMessageW(b.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(b.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 0);
    b.Click();
    uitest::MouseMove(b.m_hWnd, 5, 5);
    uitest::PumpMessages(30);
    EXPECT_TRUE(parent.clicked.empty()) << "a disabled image button ignores BM_CLICK";
    EXPECT_FALSE(b.IsTracking());

    // Three frames have no disabled picture: only the captured background shows.
    CImgButton& three = Setup(1001, L"three.png", 200, 100, 3);
    three.SetImageEnabled(false);
    EXPECT_TRUE(Near(Centre(three), Rgb(255, 0, 255)));
}

TEST_F(ImageButtonTest, MissingStripWithPlainFaceStaysUsable) {
    CImgButton& b = Setup(1000, L"none.png", -15, -25, 4);
    ASSERT_FALSE(b.HasPicture());
    ::SetWindowTextW(b.m_hWnd, L"OK");
    b.UsePlainFace(-15, -25, 72, 24);
    RECT rc = b.GetRectInParent();
    EXPECT_EQ(rc.left, 984 - 72 - 15);
    EXPECT_EQ(rc.top, 674 - 24 - 25);
    uitest::Repaint(parent.m_hWnd);
    uitest::Capture cap = uitest::CaptureClient(b.m_hWnd);
    ASSERT_FALSE(cap.Empty());
    EXPECT_FALSE(Near(cap.At(36, 2), Rgb(255, 0, 255))) << "a face is drawn";
    b.Click();
    uitest::PumpMessages(30);
    EXPECT_EQ(parent.clicked.size(), 1u);
}

}  // namespace
