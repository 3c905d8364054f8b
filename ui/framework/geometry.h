#pragma once
// Plain rectangle arithmetic shared by the windowing layer and the controls.
// No <windows.h> here: these functions are tested natively.

namespace fw {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Top-left corner that centres a window of the given size over `reference`,
// then moves it back inside `workArea` where it would stick out (the left and
// top edges win when the window is larger than the work area).
Point CentredOrigin(int width, int height, const Rect& reference, const Rect& workArea);

}  // namespace fw
