#include "ui/controls/list_row_layout.h"

namespace cdv {

std::uint32_t RowBackground(int rowIndex, bool selected) {
    if (selected) return kRowSelectedColour;
    return (rowIndex % 2 != 0) ? kRowOddColour : kRowEvenColour;
}

int ListCheckFrame(int stateIndex) { return stateIndex == kRowUnticked ? 0 : 2; }

int ToggledRowState(int stateIndex) { return stateIndex == kRowUnticked ? kRowTicked : kRowUnticked; }

ListCellLayout LayoutListCell(int column, const fw::Rect& label, int offset, int checkStripWidth,
                              int checkStripHeight, bool deleted, int markerWidth) {
    ListCellLayout cell;
    const int height = label.Height();
    cell.text = fw::Rect{label.left - offset, 0, label.right - offset, height};
    if (column == 0) {
        const int frameWidth = checkStripWidth / kListCheckFrames;
        const int y = HalfDiff(height, checkStripHeight);
        cell.hasCheckBox = true;
        cell.checkBox = fw::Point{kListCheckLeft, y};
        cell.text.left += frameWidth + kListCheckGap;
        if (deleted) {
            cell.hasMarker = true;
            cell.marker = fw::Point{frameWidth + kListCheckGap, y};
            cell.text.left += markerWidth + kListMarkerGap;
        }
    } else {
        cell.separator = true;
    }
    return cell;
}

fw::Rect ListCheckZone(const fw::Rect& row, int checkStripWidth, int checkStripHeight) {
    const int left = row.left + kListCheckLeft;
    const int top = row.top + HalfDiff(row.Height(), checkStripHeight);
    return fw::Rect{left, top, left + checkStripWidth / kListCheckFrames, top + checkStripHeight};
}

fw::Point SortArrowOrigin(const fw::Rect& item, int arrowHeight) {
    return fw::Point{item.right - 20, HalfDiff(item.Height(), arrowHeight)};
}

}  // namespace cdv
