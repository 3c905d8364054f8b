#include "ui/dialogs/contact_card_layout.h"

namespace cdv {

CardLines LayOutCardLines(const std::vector<CardLine>& entries, int clientRight, TextMeasurer& measurer) {
    CardLines out;
    int y = card::kFirstLineTop;
    for (const CardLine& entry : entries) {
        ContactInfoLine line;
        line.label = entry.label;
        line.value = entry.value;
        line.labelRect = {card::kLabelLeft, y, card::kLabelRight, y};
        line.valueRect = {card::kValueLeft, y, clientRight - card::kValueRightInset, y};

        const LineCount count = CountTextLines(line.value, line.valueRect.Width(), measurer);
        line.labelRect.bottom = y + count.lineHeight;
        line.valueRect.bottom = y + count.lines * count.lineHeight;

        y = line.valueRect.bottom;
        out.lines.push_back(std::move(line));
    }
    out.bottom = y;
    return out;
}

CardScrollRange ScrollRangeFor(int contentBottom, int clientHeight) {
    CardScrollRange range;
    if (contentBottom > clientHeight) {
        range.canvasHeight = contentBottom + card::kBottomMargin;
        range.scrollMax = range.canvasHeight - 1;
    } else {
        // One pixel taller than the window, as the card has always drawn it;
        // the range stays within the window, so nothing scrolls.
        range.canvasHeight = clientHeight + 1;
        range.scrollMax = contentBottom > 0 ? contentBottom - 1 : 0;
    }
    return range;
}

int RequestedScrollPos(int request, int current, int page, int minimum, int maximum, int trackPos) {
    switch (request) {
    case 0: return current - 1;     // SB_LINEUP
    case 1: return current + 1;     // SB_LINEDOWN
    case 2: return current - page;  // SB_PAGEUP
    case 3: return current + page;  // SB_PAGEDOWN
    case 5: return trackPos;        // SB_THUMBTRACK
    case 6: return minimum;         // SB_TOP
    case 7: return maximum;         // SB_BOTTOM
    default: return current;        // SB_THUMBPOSITION, SB_ENDSCROLL and unknown codes
    }
}

int WheelScrollPos(int current, int wheelDelta) {
    return wheelDelta < 0 ? current + card::kWheelStep : current - card::kWheelStep;
}

}  // namespace cdv
