#include "ui/framework/geometry.h"

namespace fw {

namespace {
int KeepInside(int pos, int size, int low, int high) {
    if (pos + size > high) pos = high - size;
    if (pos < low) pos = low;
    return pos;
}
}  // namespace

Point CentredOrigin(int width, int height, const Rect& reference, const Rect& workArea) {
    Point p;
    p.x = reference.left + (reference.Width() - width) / 2;
    p.y = reference.top + (reference.Height() - height) / 2;
    p.x = KeepInside(p.x, width, workArea.left, workArea.right);
    p.y = KeepInside(p.y, height, workArea.top, workArea.bottom);
    return p;
}

}  // namespace fw
