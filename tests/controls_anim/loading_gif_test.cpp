// Stepping the loading picture: frame order, the delays the timer is re-armed
// with, the frame shown, and what pictures without delays or frames do.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gif_file.h"
#include "tests/ui/harness/ui_harness.h"
#include "ui/controls/loading_gif.h"
#include "ui/framework/gdi.h"
#include "ui/framework/gdiplus_support.h"
#include "ui/framework/window_impl.h"

namespace {

constexpr uint32_t kColours[] = {0xE01010, 0x10E010, 0x1010E0, 0xE0E010};

// Stands in for the main window: it owns the picture and its timer state and
// steps the picture on timer 2, as the main window does.
class Host : public fw::CWindowImpl<Host> {
public:
    fw::ImagePtr image;
    int frameTimerOn = 0;
    int frameIndex = 0;
    RECT statusRect{10, 10, 74, 74};
    std::vector<cdv::GifTick> ticks;

    cdv::GifTick Step() { return cdv::StepLoadingGif(m_hWnd, {image.get(), frameTimerOn, frameIndex, statusRect}); }
    void Arm() {
        frameTimerOn = 1;
        SetTimer(cdv::kLoadingGifTimerId, cdv::kLoadingGifFirstTickMs);
    }

    bool ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (msg == WM_TIMER && wParam == cdv::kLoadingGifTimerId) {
            const cdv::GifTick t = Step();
            if (t.rearm) ticks.push_back(t);
            result = 0;
            return true;
        }
        return false;
    }
};

class LoadingGifTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.Create(nullptr, RECT{60, 60, 300, 200}, L"loading host", WS_POPUP | WS_VISIBLE);
        ASSERT_TRUE(host.IsWindow());
    }
    void TearDown() override {
        host.image.reset();
        if (host.IsWindow()) host.DestroyWindow();
    }

    void Load(const std::vector<gif::Frame>& frames) {
        const std::wstring path = folder.File(L"loaddata.gif");
        ASSERT_TRUE(gif::WriteFile(path, 8, 8, frames));
        host.image = fw::LoadImageFile(path);
        ASSERT_EQ(fw::ImageWidth(host.image.get()), 8u);
    }

    // The colour the active frame draws with.
    uint32_t ActiveColour() {
        fw::ClientDC screen(nullptr);
        fw::OffscreenBuffer buffer(screen, 8, 8);
        fw::GraphicsPtr g = fw::GraphicsForDC(buffer.dc());
        g->DrawImage(host.image.get(), 0, 0, 8, 8);
        g.reset();
        const COLORREF c = ::GetPixel(buffer.dc(), 4, 4);
        return uitest::Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }

    uitest::ScratchFolder folder{L"gif"};
    Host host;
};

TEST_F(LoadingGifTest, FourFramesCycleWithTheDelayOfTheFrameAfterEach) {
    Load({{kColours[0], 10}, {kColours[1], 20}, {kColours[2], 30}, {kColours[3], 40}});
    ASSERT_EQ(cdv::GifFrameCount(*host.image), 4u);
    EXPECT_EQ(cdv::GifFrameDelays(*host.image), (std::vector<uint32_t>{10, 20, 30, 40}));

    host.frameTimerOn = 1;
    const unsigned expectedFrames[] = {0, 1, 2, 3, 0};
    const unsigned expectedDelays[] = {200, 300, 400, 100, 200};
    for (int i = 0; i < 5; ++i) {
        const cdv::GifTick t = host.Step();
        ASSERT_TRUE(t.rearm);
        EXPECT_EQ(t.selectFrame, expectedFrames[i]);
        EXPECT_EQ(t.delayMs, expectedDelays[i]);
        EXPECT_EQ(host.frameIndex, static_cast<int>((expectedFrames[i] + 1) % 4));
        EXPECT_EQ(host.frameTimerOn, 1);
        EXPECT_TRUE(uitest::Near(ActiveColour(), kColours[expectedFrames[i]])) << "tick " << i;
    }
    EXPECT_TRUE(::KillTimer(host, cdv::kLoadingGifTimerId)) << "the timer is armed again";
}

TEST_F(LoadingGifTest, TickWhileNotArmedDoesNothing) {
    Load({{kColours[0], 10}, {kColours[1], 20}});
    const cdv::GifTick t = host.Step();
    EXPECT_FALSE(t.rearm);
    EXPECT_EQ(host.frameIndex, 0);
    EXPECT_EQ(host.frameTimerOn, 0);
    EXPECT_FALSE(::KillTimer(host, cdv::kLoadingGifTimerId));
}

TEST_F(LoadingGifTest, SingleFramePictureTurnsTheTimerOffForGood) {
    Load({{kColours[2], 10}});
    host.Arm();
    ASSERT_TRUE(uitest::PumpUntil([&] { return host.frameTimerOn == 0; }, 3000));
    EXPECT_TRUE(host.ticks.empty());
    EXPECT_FALSE(::KillTimer(host, cdv::kLoadingGifTimerId));
    EXPECT_TRUE(uitest::Near(ActiveColour(), kColours[2]));
}

// GDI+ reports such frames with a delay of 0.
TEST_F(LoadingGifTest, PictureWithoutDelaysStepsEvery100Ms) {
    Load({{kColours[0], std::nullopt}, {kColours[1], std::nullopt}, {kColours[2], std::nullopt}});
    host.frameTimerOn = 1;
    for (unsigned frame : {0u, 1u, 2u, 0u}) {
        const cdv::GifTick t = host.Step();
        ASSERT_TRUE(t.rearm);
        EXPECT_EQ(t.selectFrame, frame);
        EXPECT_EQ(t.delayMs, 100u);
        EXPECT_TRUE(uitest::Near(ActiveColour(), kColours[frame]));
    }
}

TEST_F(LoadingGifTest, PictureThatDidNotLoadTurnsTheTimerOff) {
    host.image = fw::LoadImageFile(folder.File(L"missing.gif"));
    host.frameTimerOn = 1;
    EXPECT_FALSE(host.Step().rearm);
    EXPECT_EQ(host.frameTimerOn, 0);
    EXPECT_EQ(host.frameIndex, 0);
}

TEST_F(LoadingGifTest, RealTimerRunsThePictureRound) {
    Load({{kColours[0], 1}, {kColours[1], 1}, {kColours[2], 1}, {kColours[3], 1}});
    host.Arm();
    ASSERT_TRUE(uitest::PumpUntil([&] { return host.ticks.size() >= 6; }, 5000));
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(host.ticks[i].selectFrame, i % 4);
    EXPECT_EQ(host.ticks[0].delayMs, 10u);
}

}  // namespace
