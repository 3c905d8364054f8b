#include "ui/controls/strip.h"

unsigned StripFrameWidth(unsigned imageWidth, unsigned frames) { return frames == 0 ? 0 : imageWidth / frames; }

fw::Rect StripFrame(unsigned imageWidth, unsigned imageHeight, unsigned frames, unsigned index) {
    const int w = static_cast<int>(StripFrameWidth(imageWidth, frames));
    const int left = static_cast<int>(index) * w;
    return fw::Rect{left, 0, left + w, static_cast<int>(imageHeight)};
}
