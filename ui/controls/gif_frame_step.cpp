#include "ui/controls/gif_frame_step.h"

#include <algorithm>

namespace cdv {

namespace {
// Longest period SetTimer accepts (USER_TIMER_MAXIMUM).
constexpr uint64_t kMaxTimerMs = 0x7FFFFFFF;
}  // namespace

GifTick NextGifTick(int frameIndex, size_t frameCount, const std::vector<uint32_t>& delays) {
    GifTick tick;
    if (frameCount < 2) return tick;

    // An index left over from another picture starts it again from the top.
    const size_t current =
        frameIndex >= 0 && static_cast<size_t>(frameIndex) < frameCount ? static_cast<size_t>(frameIndex) : 0;
    const size_t next = current + 1 == frameCount ? 0 : current + 1;

    tick.rearm = true;
    tick.selectFrame = static_cast<unsigned>(current);
    tick.nextIndex = static_cast<int>(next);
    if (next < delays.size() && delays[next] != 0) {
        tick.delayMs = static_cast<unsigned>(std::min<uint64_t>(uint64_t{delays[next]} * 10, kMaxTimerMs));
    } else {
        tick.delayMs = kFallbackFrameDelayMs;
    }
    return tick;
}

}  // namespace cdv
