#pragma once
// What the skinned boxes (message box, about box) do with WM_COMMAND: a click
// on one of their closing buttons ends the box with that button's id, and
// Escape, which names no control, leaves the box open.

#include <windows.h>

#include <initializer_list>

namespace cdv {

enum class BoxCommand { NotOurs, StayOpen, Close };

inline BoxCommand ClassifyBoxCommand(WPARAM wParam, LPARAM lParam, std::initializer_list<int> closingIds) {
    const int id = LOWORD(wParam);
    if (id == IDCANCEL) return BoxCommand::StayOpen;
    for (int closing : closingIds) {
        if (id != closing) continue;
        return lParam != 0 && HIWORD(wParam) == BN_CLICKED ? BoxCommand::Close : BoxCommand::NotOurs;
    }
    return BoxCommand::NotOurs;
}

}  // namespace cdv
