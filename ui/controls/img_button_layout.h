#pragma once
// Image button geometry and state frames. Pure, tested natively.

#include "ui/framework/geometry.h"

// Position of a button of the given size: a negative x puts its right edge
// |x| pixels left of the parent's right edge, a negative y its bottom edge
// |y| pixels above the parent's bottom edge.
fw::Point ImageButtonOrigin(int x, int y, int width, int height, int parentWidth, int parentHeight);

enum ImageButtonFrame { kFrameNormal = 0, kFrameHover = 1, kFramePressed = 2, kFrameDisabled = 3 };

// Disabled wins, then pressed (the draw request's selected state), then hover.
ImageButtonFrame ImageButtonFrameFor(bool enabled, bool selected, bool tracking);
