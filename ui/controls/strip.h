#pragma once
// Image strips: N equal frames side by side. Pure arithmetic.

#include "ui/framework/geometry.h"

// Width of one frame: image width / frames, remainder dropped; 0 for no frames.
unsigned StripFrameWidth(unsigned imageWidth, unsigned frames);
// Source rectangle of frame `index`: (index * frame width, 0, frame width, image height).
fw::Rect StripFrame(unsigned imageWidth, unsigned imageHeight, unsigned frames, unsigned index);
