#pragma once
// One tick of the loading picture's frame timer, as plain arithmetic: which
// frame to show now and how long until the next tick. No <windows.h>: the
// window side (loading_gif.*) feeds it the GIF's frame count and delays.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cdv {

// A frame without a stored delay still animates, at the pace browsers give
// such pictures. GDI+ reports the frames of a GIF without control blocks with
// a delay of 0, so 0 counts as "none stored", as does a missing property or
// an entry the property lacks; a 0 ms timer would only spin at the system's
// shortest period.
constexpr unsigned kFallbackFrameDelayMs = 100;

struct GifTick {
    bool rearm = false;        // false: the timer stays off for good
    unsigned selectFrame = 0;  // frame to make active now
    int nextIndex = 0;         // the frame the following tick selects
    unsigned delayMs = 0;      // period of the re-armed timer
};

// `frameIndex` is the frame this tick selects; `delays` are the GIF's frame
// delays in hundredths of a second, one per frame (empty when the property is
// missing). The frame just selected stays up for the delay stored for the
// frame after it. A picture of fewer than two frames (a still, or one that did
// not load) turns the timer off.
GifTick NextGifTick(int frameIndex, size_t frameCount, const std::vector<uint32_t>& delays);

}  // namespace cdv
