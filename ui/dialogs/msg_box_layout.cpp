#include "ui/dialogs/msg_box_layout.h"

#include "ui/controls/img_button_layout.h"

std::array<MsgBoxButtonPlace, 4> PlaceMsgBoxButtons(int clientWidth, int clientHeight, unsigned buttonSet,
                                                    const std::array<fw::Point, 4>& sizes) {
    static const unsigned kFlags[4] = {kMsgBoxOk, kMsgBoxCancel, kMsgBoxYes, kMsgBoxNo};
    std::array<MsgBoxButtonPlace, 4> places{};
    int shown = 0;
    for (int i = 0; i < 4; ++i) {
        if ((buttonSet & kFlags[i]) == 0) continue;
        places[i].shown = true;
        places[i].origin = ImageButtonOrigin(-15, -25, sizes[i].x, sizes[i].y, clientWidth, clientHeight);
        ++shown;
    }
    auto bottomAligned = [&](int i) { return clientHeight - sizes[i].y - 15; };

    if (shown == 1) {
        for (int i = 0; i < 4; ++i) {
            if (!places[i].shown) continue;
            places[i].origin = fw::Point{(clientWidth - sizes[i].x) / 2, bottomAligned(i)};
        }
    } else if (shown == 2) {
        int left = -1;
        int right = -1;
        if (places[kActionOk].shown && places[kActionCancel].shown) {
            left = kActionOk;
            right = kActionCancel;
        } else if (places[kActionYes].shown && places[kActionNo].shown) {
            left = kActionYes;
            right = kActionNo;
        }
        if (left >= 0) {
            places[left].origin = fw::Point{clientWidth / 2 - sizes[left].x - 20, bottomAligned(left)};
            places[right].origin = fw::Point{clientWidth / 2 + 20, bottomAligned(right)};
        }
    }
    return places;
}

MsgBoxTextPlan PlanMsgBoxText(int clientWidth, int clientHeight, int cx, int cy) {
    MsgBoxTextPlan plan;
    plan.rect = fw::Rect{70, 0, clientWidth - 10, clientHeight};
    const int available = clientWidth - 80;
    if (cx < available) return plan;
    plan.singleLine = false;
    // A box too narrow for any text still gets one wrapped line, not a division by zero.
    const int lines = available > 0 ? cx / available + 1 : 1;
    const int block = lines * cy;
    plan.rect.top = (clientHeight - block) / 2;
    plan.rect.bottom = plan.rect.top + block;
    return plan;
}
