#include "ui/controls/gif_frame_step.h"

#include <gtest/gtest.h>

#include <vector>

namespace cdv {
namespace {

struct Schedule {
    std::vector<unsigned> frames;
    std::vector<unsigned> delays;
};

// Runs `ticks` ticks from frame 0, as the main window's timer would.
Schedule RunTicks(size_t frameCount, const std::vector<uint32_t>& delays, int ticks) {
    Schedule s;
    int index = 0;
    for (int i = 0; i < ticks; ++i) {
        const GifTick t = NextGifTick(index, frameCount, delays);
        if (!t.rearm) break;
        s.frames.push_back(t.selectFrame);
        s.delays.push_back(t.delayMs);
        index = t.nextIndex;
    }
    return s;
}

TEST(GifTick, EachFrameStaysUpForTheDelayOfTheFrameAfterIt) {
    const Schedule s = RunTicks(4, {10, 20, 30, 40}, 6);
    EXPECT_EQ(s.frames, (std::vector<unsigned>{0, 1, 2, 3, 0, 1}));
    EXPECT_EQ(s.delays, (std::vector<unsigned>{200, 300, 400, 100, 200, 300}));
}

TEST(GifTick, StillOrUnloadedPictureTurnsTheTimerOff) {
    for (size_t frames : {size_t{0}, size_t{1}}) {
        const GifTick t = NextGifTick(0, frames, {10});
        EXPECT_FALSE(t.rearm) << frames << " frames";
    }
}

TEST(GifTick, MissingDelaysFallBackTo100Ms) {
    // No frame-delay property at all.
    EXPECT_EQ(RunTicks(3, {}, 4).delays, (std::vector<unsigned>{100, 100, 100, 100}));
    // A property shorter than the frame list: the entries it lacks fall back.
    EXPECT_EQ(RunTicks(3, {5, 7}, 3).delays, (std::vector<unsigned>{70, 100, 50}));
    // What GDI+ reports for frames without a control block.
    EXPECT_EQ(RunTicks(3, {0, 0, 0}, 3).delays, (std::vector<unsigned>{100, 100, 100}));
}

TEST(GifTick, DelayEdges) {
    EXPECT_EQ(NextGifTick(0, 2, {1, 1}).delayMs, 10u);  // the shortest delay a GIF can store
    EXPECT_EQ(NextGifTick(0, 2, {0, 0xFFFFFFFFu}).delayMs, 0x7FFFFFFFu);
}

TEST(GifTick, IndexOutsideThePictureRestartsAtFrameZero) {
    for (int stale : {-1, 2, 99}) {
        const GifTick t = NextGifTick(stale, 2, {10, 20});
        EXPECT_EQ(t.selectFrame, 0u) << stale;
        EXPECT_EQ(t.nextIndex, 1) << stale;
    }
}

}  // namespace
}  // namespace cdv
