// The busy animation on a real window: strip geometry, frame ticks and their
// pixels, the timer's start and stop.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/animate_img.h"
#include "ui/framework/window_impl.h"

namespace {

using uitest::Rgb;

class Host : public fw::CWindowImpl<Host> {
public:
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

// Eight frames of 32 x 20, each its own colour; frame 5 fully transparent.
const std::vector<uint32_t> kFrameColours = {0xFFD02020, 0xFF20D020, 0xFF2020D0, 0xFFD0D020,
                                             0xFF20D0D0, 0x00000000, 0xFF808080, 0xFF402010};

class AnimateImgTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Create(nullptr, RECT{40, 40, 440, 240}, L"animation host", WS_POPUP | WS_VISIBLE);
        ASSERT_TRUE(host.IsWindow());
        // The main window's template gives a push button for the animation.
        button = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10, host, 
                                   reinterpret_cast<HMENU>(1009), nullptr, nullptr);
        ASSERT_NE(button, nullptr);
        strip = folder.File(L"animate.png");
        ASSERT_TRUE(uitest::WriteStripPng(strip, 32, 20, kFrameColours));
    }
    void TearDown() override {
        if (host.IsWindow()) host.DestroyWindow();
    }

    // The main window's set-up: load, split, period, subclass, place.
    void SetUpAnimation(const std::wstring& path, UINT flags = SWP_SHOWWINDOW) {
        ASSERT_TRUE(anim.LoadStrip(path));
        anim.SplitFrames();
        anim.SetPeriod(100);
        ASSERT_TRUE(anim.SubclassWindow(button));
        anim.SetPos(20, 41, flags);
    }

    uint32_t ShownColour() {
        uitest::Repaint(anim);
        const uitest::Capture cap = uitest::CaptureClient(anim);
        return cap.Empty() ? 0xFFFFFFFF : cap.At(16, 10);
    }

    uitest::ScratchFolder folder{L"anim"};
    std::wstring strip;
    Host host;
    HWND button = nullptr;
    cdv::CAnimateImg anim;
};

TEST_F(AnimateImgTest, StripOf256PixelsGivesFramesOf32AndTheControlTakesOne) {
    SetUpAnimation(strip);
    EXPECT_EQ(anim.FrameCount(), 8);
    EXPECT_EQ(anim.FrameWidth(), 32);
    EXPECT_EQ(anim.FrameHeight(), 20);
    const RECT rc = anim.GetRectInParent();
    EXPECT_EQ(rc.left, 20);
    EXPECT_EQ(rc.top, 41);
    EXPECT_EQ(rc.right - rc.left, 32);
    EXPECT_EQ(rc.bottom - rc.top, 20);
    EXPECT_TRUE(anim.IsWindowVisible());
}

TEST_F(AnimateImgTest, EachTickShowsTheNextFrameAndEightTicksComeBackToTheFirst) {
    SetUpAnimation(strip);
    EXPECT_TRUE(uitest::Near(ShownColour(), 0xD02020));
    for (int tick = 1; tick <= 8; ++tick) {
        ::SendMessageW(anim, WM_TIMER, 100, 0);
        const int frame = tick % 8;
        EXPECT_EQ(anim.CurrentFrame(), frame);
        const uint32_t expected = frame == 5 ? Rgb(240, 240, 239) : (kFrameColours[frame] & 0xFFFFFF);
        EXPECT_TRUE(uitest::Near(ShownColour(), expected)) << "frame " << frame;
    }
    // Other timers of the window do not step it.
    ::SendMessageW(anim, WM_TIMER, 7, 0);
    EXPECT_EQ(anim.CurrentFrame(), 0);
}

TEST_F(AnimateImgTest, StartArmsOneTimerAndStopKillsIt) {
    SetUpAnimation(strip);
    anim.Start();
    EXPECT_TRUE(anim.IsRunning());
    // A second Start while running does not re-arm: the slower period set in
    // between never takes effect, so frames keep coming at 100 ms.
    anim.SetPeriod(60000);
    anim.Start();
    EXPECT_TRUE(uitest::PumpUntil([&] { return anim.CurrentFrame() >= 2; }, 3000));

    anim.Stop();
    EXPECT_FALSE(anim.IsRunning());
    EXPECT_FALSE(::KillTimer(anim, 100)) << "Stop leaves no timer behind";
    const int frozen = anim.CurrentFrame();
    uitest::PumpMessages(300);
    EXPECT_EQ(anim.CurrentFrame(), frozen);
    EXPECT_TRUE(anim.IsWindowVisible()) << "Stop keeps the window shown";

    anim.Stop();  // stopping a stopped animation changes nothing
    EXPECT_FALSE(anim.IsRunning());
    anim.SetPeriod(100);
    anim.Start();
    EXPECT_TRUE(uitest::PumpUntil([&] { return anim.CurrentFrame() != frozen; }, 3000));
}

TEST_F(AnimateImgTest, MissingStripShrinksTheControlToNothingButStillTicks) {
    SetUpAnimation(folder.File(L"no-such-strip.png"));
    EXPECT_EQ(anim.FrameWidth(), 0);
    EXPECT_EQ(anim.FrameHeight(), 0);
    const RECT rc = anim.GetRectInParent();
    EXPECT_EQ(rc.right - rc.left, 0);
    EXPECT_EQ(rc.bottom - rc.top, 0);
    ::SendMessageW(anim, WM_TIMER, 100, 0);
    EXPECT_EQ(anim.CurrentFrame(), 1);
    uitest::Repaint(host);  // painting an empty control is harmless
}

TEST_F(AnimateImgTest, ClicksOnThePictureReachTheWindowBehindIt) {
    SetUpAnimation(strip);
    uitest::Repaint(host);
    POINT pt{36, 51};  // inside the picture, in host coordinates
    ::ClientToScreen(host, &pt);
    EXPECT_EQ(::WindowFromPoint(pt), host.m_hWnd);
    // And the host push button never paints itself over the frames, nor
    // takes the focus from the keyboard.
    EXPECT_TRUE(uitest::Near(ShownColour(), 0xD02020));
    EXPECT_EQ(anim.GetStyle() & WS_TABSTOP, 0u);
}

TEST_F(AnimateImgTest, DestroyingTheObjectFirstStopsItsTimer) {
    auto* early = new cdv::CAnimateImg;
    ASSERT_TRUE(early->LoadStrip(strip));
    early->SplitFrames();
    ASSERT_TRUE(early->SubclassWindow(button));
    early->Start();
    delete early;
    EXPECT_FALSE(::KillTimer(button, 100));
    uitest::PumpMessages(250);  // no tick reaches the freed object
    EXPECT_TRUE(::IsWindow(button));
}

}  // namespace
