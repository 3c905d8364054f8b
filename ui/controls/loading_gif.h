#pragma once
// The main window's loading picture: an animated GIF the window paints itself
// (the active frame, stretched to its status rectangle). One tick of the
// window's frame timer steps it to the next frame and re-arms the timer with
// the delay stored in the GIF.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <vector>

#include "ui/controls/gif_frame_step.h"

namespace cdv {

constexpr UINT_PTR kLoadingGifTimerId = 2;
// Period of the first tick, armed by the first paint of the picture.
constexpr UINT kLoadingGifFirstTickMs = 80;

// What the main window keeps for its loading picture.
struct LoadingGifState {
    Gdiplus::Image* image = nullptr;  // owned by the window
    int& frameTimerOn;                // timer 2 is armed
    int& frameIndex;                  // frame the next tick selects
    RECT statusRect;                  // where the window paints the picture
};

// Frame count of the GIF's first frame dimension; 0 for an image that did
// not load.
size_t GifFrameCount(Gdiplus::Image& image);
// The frame-delay property (hundredths of a second per frame); empty when the
// picture has none.
std::vector<uint32_t> GifFrameDelays(Gdiplus::Image& image);

// A tick of timer 2 on `window`. Does nothing while the timer is not armed;
// otherwise kills it, selects the next frame, invalidates the status
// rectangle without erasing and arms the timer again with that frame's delay
// (off for good for a picture of fewer than two frames). Returns what it did.
GifTick StepLoadingGif(HWND window, LoadingGifState state);

}  // namespace cdv
