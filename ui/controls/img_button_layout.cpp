#include "ui/controls/img_button_layout.h"

fw::Point ImageButtonOrigin(int x, int y, int width, int height, int parentWidth, int parentHeight) {
    if (x < 0) x += parentWidth - width;
    if (y < 0) y += parentHeight - height;
    return fw::Point{x, y};
}

ImageButtonFrame ImageButtonFrameFor(bool enabled, bool selected, bool tracking) {
    if (!enabled) return kFrameDisabled;
    if (selected) return kFramePressed;
    if (tracking) return kFrameHover;
    return kFrameNormal;
}
