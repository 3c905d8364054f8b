// The check-box list and its header as real windows under a reflecting host:
// painting, clicks, the check-all box, sorting and divider tracking.
#include "ui/controls/list_view_check.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "contacts/records.h"
#include "tests/controls_list/control_host.h"
#include "tests/controls_list/test_skin.h"
#include "tests/controls_list/test_skin_suite.h"
#include "tests/ui/harness/ui_harness.h"

namespace {

using uitest::Capture;
using uitest::SentMessage;

constexpr DWORD kListStyle = 0x50010C05;  // child, visible, tab stop, report, single selection, owner-drawn fixed

class CheckListTest : public uitest::TestSkinSuite {
protected:
    void SetUp() override {
        host = std::make_unique<uitest::ControlHost>();
        ASSERT_NE(host->m_hWnd, nullptr);
        list = std::make_unique<CListViewCheck1>();
        list->m_rowHeight = 30;
        MakeList(660);
    }

    void TearDown() override {
        if (list && list->m_hWnd != nullptr) list->DestroyWindow();
        list.reset();
        host.reset();
    }

    void MakeList(int width) {
        RECT rc{0, 0, width, 400};
        ASSERT_NE(list->Create(host->m_hWnd, rc, L"datalistview", kListStyle, 0, 1004), nullptr);
        EXPECT_TRUE(list->InitList());
        list->SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        const wchar_t* titles[] = {L"Name", L"Phone", L"Company", L"Email"};
        const int widths[] = {150, 170, 180, 150};
        for (int i = 0; i < 4; ++i) {
            LVCOLUMNW col{};
            col.mask = LVCF_TEXT | LVCF_WIDTH;
            col.pszText = const_cast<wchar_t*>(titles[i]);
            col.cx = widths[i];
            list->SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
        }
    }

    // A row showing `record`, ticked or not, as the main window fills them.
    int AddRecordRow(cdv::ContactRecord* record, const wchar_t* name, const wchar_t* phone, bool ticked) {
        const int row = list->AddRow(name, phone, L"", L"");
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = reinterpret_cast<LPARAM>(record);
        list->SetItem(&item);
        SetState(row, ticked ? 2 : 1);
        return row;
    }

    void SetState(int row, int state) { list->SetItemState(row, INDEXTOSTATEIMAGEMASK(state), LVIS_STATEIMAGEMASK); }

    RECT RowRect(int row) {
        RECT rc{};
        list->GetItemRect(row, &rc, LVIR_BOUNDS);
        return rc;
    }

    // Client point at the middle of row `row`'s painted check box.
    POINT BoxCentre(int row) {
        RECT rc = RowRect(row);
        return POINT{rc.left + 5 + 7, rc.top + (rc.bottom - rc.top) / 2};
    }

    Capture Paint() {
        uitest::Repaint(host->m_hWnd);
        return uitest::CaptureClient(list->m_hWnd);
    }

    std::vector<std::wstring> Column(int column) {
        std::vector<std::wstring> texts;
        for (int row = 0; row < list->GetItemCount(); ++row) texts.push_back(list->GetItemText(row, column));
        return texts;
    }

    std::unique_ptr<uitest::ControlHost> host;
    std::unique_ptr<CListViewCheck1> list;
    std::vector<cdv::ContactRecord> records = std::vector<cdv::ContactRecord>(8);
};

TEST_F(CheckListTest, HeaderTakesItsOwnHeightAndRowsTheirs) {
    RECT header{};
    ::GetClientRect(list->m_header.m_hWnd, &header);
    EXPECT_EQ(header.bottom, 30);
    AddRecordRow(&records[0], L"a", L"1", true);
    AddRecordRow(&records[1], L"b", L"2", true);
    RECT row0 = RowRect(0);
    RECT row1 = RowRect(1);
    EXPECT_EQ(row0.top, 30);
    EXPECT_EQ(row1.top - row0.top, 30);
}

TEST_F(CheckListTest, RowBackgroundsAlternateAndSelectionWins) {
    for (int i = 0; i < 6; ++i) AddRecordRow(&records[i], L"", L"", true);
    list->SetItemState(5, LVIS_SELECTED, LVIS_SELECTED);
    Capture cap = Paint();
    const int x = 560;  // inside the empty Email column, clear of separators
    auto at = [&](int row) { return cap.At(x, RowRect(row).top + 4); };
    EXPECT_TRUE(uitest::Near(at(3), uitest::Rgb(255, 255, 255), 0)) << std::hex << at(3);
    EXPECT_TRUE(uitest::Near(at(4), uitest::Rgb(245, 245, 245), 0)) << std::hex << at(4);
    EXPECT_TRUE(uitest::Near(at(0), uitest::Rgb(245, 245, 245), 0)) << std::hex << at(0);
    EXPECT_TRUE(uitest::Near(at(5), uitest::Rgb(161, 219, 238), 0)) << std::hex << at(5);
    // The bottom rule of each row.
    EXPECT_TRUE(uitest::Near(cap.At(x, RowRect(3).bottom - 1), uitest::Rgb(220, 220, 220), 0));
}

TEST_F(CheckListTest, DeletedRecordIsRedInEveryColumnWithTheMarkerOnlyInColumnZero) {
    records[0].deleted = 1;
    records[1].deleted = 0;
    const int red = list->AddRow(L"WWWWWW", L"WWWWWW", L"WWWWWW", L"WWWWWW");
    const int black = list->AddRow(L"WWWWWW", L"WWWWWW", L"WWWWWW", L"WWWWWW");
    for (int row : {red, black}) {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = reinterpret_cast<LPARAM>(&records[static_cast<size_t>(row)]);
        list->SetItem(&item);
        SetState(row, 2);
    }
    list->m_listMode = 1;
    Capture cap = Paint();

    const int columnEdges[] = {0, 150, 320, 500, 650};
    for (int column = 0; column < 4; ++column) {
        int redPixels = 0;
        int blackPixels = 0;
        int markerPixels = 0;
        for (int row : {red, black}) {
            RECT rc = RowRect(row);
            for (int y = rc.top; y < rc.bottom; ++y) {
                for (int x = columnEdges[column] + 1; x < columnEdges[column + 1]; ++x) {
                    const uint32_t p = cap.At(x, y);
                    if (row == red && uitest::Near(p, uitest::Rgb(255, 0, 0), 60)) ++redPixels;
                    if (row == black && uitest::Near(p, uitest::Rgb(0, 0, 0), 60)) ++blackPixels;
                    if (row == red && uitest::Near(p, uitest::kMarkerColour, 0)) ++markerPixels;
                }
            }
        }
        EXPECT_GT(redPixels, 20) << "column " << column;
        EXPECT_GT(blackPixels, 20) << "column " << column;
        if (column == 0) {
            EXPECT_EQ(markerPixels, 14 * 14);
        } else {
            EXPECT_EQ(markerPixels, 0) << "column " << column;
        }
    }
    // The marker sits right of the check box slot: x = 14 + 10.
    const RECT rc = RowRect(red);
    EXPECT_TRUE(uitest::Near(cap.At(24, rc.top + 8), uitest::kMarkerColour, 0));
    EXPECT_FALSE(uitest::Near(cap.At(23, rc.top + 15), uitest::kMarkerColour, 0));
}

TEST_F(CheckListTest, CheckBoxFramesFollowTheStateImage) {
    AddRecordRow(&records[0], L"a", L"", false);
    AddRecordRow(&records[1], L"b", L"", true);
    AddRecordRow(&records[2], L"c", L"", true);
    SetState(2, 0);  // no check state: painted as ticked
    Capture cap = Paint();
    auto box = [&](int row) { POINT p = BoxCentre(row); return cap.At(p.x, p.y); };
    EXPECT_TRUE(uitest::Near(box(0), uitest::kUntickedColour, 0)) << std::hex << box(0);
    EXPECT_TRUE(uitest::Near(box(1), uitest::kTickedColour, 0)) << std::hex << box(1);
    EXPECT_TRUE(uitest::Near(box(2), uitest::kTickedColour, 0)) << std::hex << box(2);
    // The box is 14 x 14 at x 5, centred in the 30-pixel row.
    const RECT rc = RowRect(0);
    EXPECT_TRUE(uitest::Near(cap.At(5, rc.top + 8), uitest::kUntickedColour, 0));
    EXPECT_TRUE(uitest::Near(cap.At(18, rc.top + 21), uitest::kUntickedColour, 0));
    EXPECT_FALSE(uitest::Near(cap.At(4, rc.top + 15), uitest::kUntickedColour, 0));
    EXPECT_FALSE(uitest::Near(cap.At(12, rc.top + 22), uitest::kUntickedColour, 0));
}

TEST_F(CheckListTest, ClickInTheBoxTogglesAndReportsWhileABesideClickSelects) {
    AddRecordRow(&records[0], L"a", L"", true);
    AddRecordRow(&records[1], L"b", L"", true);
    POINT box = BoxCentre(1);
    uitest::Click(list->m_hWnd, box.x, box.y);
    EXPECT_EQ(list->RowState(1), 1);
    EXPECT_EQ(host->ticks, (std::vector<SentMessage>{{WM_USER + 100, 1, 0}}));
    EXPECT_EQ(list->GetItemState(1, LVIS_SELECTED), 0u) << "a click on the box does not select";
    EXPECT_TRUE(uitest::Near(Paint().At(box.x, box.y), uitest::kUntickedColour, 0));

    uitest::Click(list->m_hWnd, box.x, box.y);
    EXPECT_EQ(list->RowState(1), 2);
    ASSERT_EQ(host->ticks.size(), 2u);
    EXPECT_EQ(host->ticks[1], (SentMessage{WM_USER + 100, 1, 1}));

    // A quick second click arrives as a double-click: a second toggle.
    host->ticks.clear();
    ::PostMessageW(list->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    ::PostMessageW(list->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    ::PostMessageW(list->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    ::PostMessageW(list->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    uitest::PumpMessages(50);
    EXPECT_EQ(list->RowState(1), 2);
    EXPECT_EQ(host->ticks, (std::vector<SentMessage>{{WM_USER + 100, 1, 0}, {WM_USER + 100, 1, 1}}));

    // Beside the box, on the same row: selection, no tick change, no message.
    host->ticks.clear();
    RECT rc = RowRect(1);
    uitest::Click(list->m_hWnd, 250, rc.top + 15);
    EXPECT_EQ(list->GetItemState(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(list->RowState(1), 2);
    EXPECT_TRUE(host->ticks.empty());
    // Just below the box, still inside the row: not the box.
    uitest::Click(list->m_hWnd, box.x, rc.top + 23);
    EXPECT_EQ(list->RowState(1), 2);
    EXPECT_TRUE(host->ticks.empty());
}

TEST_F(CheckListTest, TheSystemNeverFlipsATickBehindTheParentsBack) {
    AddRecordRow(&records[0], L"a", L"", true);
    AddRecordRow(&records[1], L"b", L"", true);
    // Any point of row 0 the system counts as its state icon but outside the painted box.
    RECT rc = RowRect(0);
    POINT found{-1, -1};
    for (int y = rc.top; y < rc.bottom && found.x < 0; ++y) {
        for (int x = 0; x < 40 && found.x < 0; ++x) {
            LVHITTESTINFO hit{};
            hit.pt = POINT{x, y};
            const bool inBox = x >= 5 && x < 19 && y >= rc.top + 8 && y < rc.top + 22;
            if (!inBox && list->SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == 0 &&
                (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
                found = hit.pt;
            }
        }
    }
    if (found.x >= 0) {
        uitest::Click(list->m_hWnd, found.x, found.y);
        EXPECT_EQ(list->RowState(0), 2) << "at " << found.x << "," << found.y;
        EXPECT_TRUE(host->ticks.empty());
    }

    // Space on the focused row toggles once, through the same path as a click.
    list->SetFocus();
    list->SetItemState(1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    uitest::PressKey(list->m_hWnd, VK_SPACE);
    EXPECT_EQ(list->RowState(1), 1);
    EXPECT_EQ(host->ticks, (std::vector<SentMessage>{{WM_USER + 100, 1, 0}}));
    EXPECT_FALSE(list->m_header.IsCheckAllTicked());

    // The parent's own changes still go through.
    SetState(1, 2);
    EXPECT_EQ(list->RowState(1), 2);
}

TEST_F(CheckListTest, CheckAllBoxFollowsTheLastUntickedRow) {
    for (int i = 0; i < 3; ++i) AddRecordRow(&records[static_cast<size_t>(i)], L"x", L"", i != 1);
    list->m_header.SetCheckAll(false);
    POINT box = BoxCentre(1);
    uitest::Click(list->m_hWnd, box.x, box.y);
    EXPECT_TRUE(list->m_header.IsCheckAllTicked()) << "the last unticked row was ticked";
    box = BoxCentre(2);
    uitest::Click(list->m_hWnd, box.x, box.y);
    EXPECT_FALSE(list->m_header.IsCheckAllTicked()) << "a row was unticked";
    uitest::Click(list->m_hWnd, box.x, box.y);
    EXPECT_TRUE(list->m_header.IsCheckAllTicked());
}

TEST_F(CheckListTest, CheckAllBoxTicksEveryRowInOrderAndUnticksThemAgain) {
    for (int i = 0; i < 3; ++i) AddRecordRow(&records[static_cast<size_t>(i)], L"x", L"", i == 1);
    HWND box = list->m_header.CheckAllBox();
    ASSERT_NE(box, nullptr);
    RECT boxRect{};
    ::GetWindowRect(box, &boxRect);
    ::MapWindowPoints(HWND_DESKTOP, list->m_header.m_hWnd, reinterpret_cast<POINT*>(&boxRect), 2);
    EXPECT_EQ(boxRect.left, 5);
    EXPECT_EQ(boxRect.top, 7);
    EXPECT_EQ(boxRect.right - boxRect.left, 14);

    uitest::Click(box, 7, 7);
    EXPECT_TRUE(list->m_header.IsCheckAllTicked());
    EXPECT_EQ(host->ticks,
              (std::vector<SentMessage>{{WM_USER + 100, 0, 1}, {WM_USER + 100, 1, 1}, {WM_USER + 100, 2, 1}}));
    for (int row = 0; row < 3; ++row) EXPECT_EQ(list->RowState(row), 2);
    // The rows repaint by themselves, without a forced redraw.
    uitest::PumpMessages(50);
    Capture cap = uitest::CaptureClient(list->m_hWnd);
    for (int row = 0; row < 3; ++row) {
        POINT p = BoxCentre(row);
        EXPECT_TRUE(uitest::Near(cap.At(p.x, p.y), uitest::kTickedColour, 0)) << "row " << row;
    }

    host->ticks.clear();
    uitest::Click(box, 7, 7);
    EXPECT_FALSE(list->m_header.IsCheckAllTicked());
    EXPECT_EQ(host->ticks,
              (std::vector<SentMessage>{{WM_USER + 100, 0, 0}, {WM_USER + 100, 1, 0}, {WM_USER + 100, 2, 0}}));
    for (int row = 0; row < 3; ++row) EXPECT_EQ(list->RowState(row), 1);

    // An empty list sends nothing.
    host->ticks.clear();
    list->DeleteAllItems();
    uitest::Click(box, 7, 7);
    EXPECT_TRUE(host->ticks.empty());
}

TEST_F(CheckListTest, ColumnClicksSortWithArrows) {
    const wchar_t* names[] = {L"delta", L"alpha", L"Charlie", L"bravo"};
    const wchar_t* phones[] = {L"3", L"1", L"4", L"2"};
    for (int i = 0; i < 4; ++i) {
        const int row = list->AddRow(names[i], phones[i], L"", L"");
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = reinterpret_cast<LPARAM>(&records[static_cast<size_t>(i)]);
        list->SetItem(&item);
    }
    HWND header = list->m_header.m_hWnd;
    auto clickColumn = [&](int column) {
        RECT rc{};
        list->m_header.GetItemRect(column, &rc);
        uitest::Click(header, (rc.left + rc.right) / 2, 15);
    };
    auto arrowAt = [&](int column) {
        uitest::Repaint(header);
        Capture cap = uitest::CaptureClient(header);
        RECT rc{};
        list->m_header.GetItemRect(column, &rc);
        return cap.At(rc.right - 20 + 5, 15);
    };

    clickColumn(1);
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{L"1", L"2", L"3", L"4"}));
    EXPECT_EQ(list->m_header.m_sortColumn, 1);
    EXPECT_TRUE(uitest::Near(arrowAt(1), uitest::kAscendingColour, 0)) << std::hex << arrowAt(1);

    clickColumn(1);
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{L"4", L"3", L"2", L"1"}));
    EXPECT_TRUE(uitest::Near(arrowAt(1), uitest::kDescendingColour, 0)) << std::hex << arrowAt(1);

    clickColumn(0);
    // Word order of the locale: case does not come first.
    EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"alpha", L"bravo", L"Charlie", L"delta"}));
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{L"1", L"2", L"4", L"3"}));
    EXPECT_TRUE(uitest::Near(arrowAt(0), uitest::kAscendingColour, 0));
    EXPECT_TRUE(uitest::Near(arrowAt(1), uitest::kHeaderColour, 0)) << "the arrow left column 1";

    // Item data moved with the texts.
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = 0;
    list->GetItem(&item);
    EXPECT_EQ(item.lParam, reinterpret_cast<LPARAM>(&records[1]));
}

TEST_F(CheckListTest, HeaderPaintsItsStripCaptionsAndDividers) {
    uitest::Repaint(list->m_header.m_hWnd);
    Capture cap = uitest::CaptureClient(list->m_header.m_hWnd);
    EXPECT_TRUE(uitest::Near(cap.At(100, 3), uitest::kHeaderColour, 0)) << std::hex << cap.At(100, 3);
    EXPECT_TRUE(uitest::Near(cap.At(600, 28), uitest::kHeaderColour, 0));
    EXPECT_TRUE(uitest::Near(cap.At(150, 15), uitest::Rgb(210, 210, 210), 0)) << std::hex << cap.At(150, 15);
    EXPECT_TRUE(uitest::Near(cap.At(0, 15), uitest::Rgb(210, 210, 210), 0));
    int dark = 0;
    for (int y = 5; y < 25; ++y) {
        for (int x = 50; x < 100; ++x) dark += uitest::Near(cap.At(x, y), 0, 90) ? 1 : 0;
    }
    EXPECT_GT(dark, 10) << "the caption \"Name\" is drawn";
}

TEST_F(CheckListTest, LastDividerIsLockedOthersTrack) {
    HWND header = list->m_header.m_hWnd;
    auto drag = [&](int fromX, int toX) {
        ::PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, 15));
        uitest::PumpMessages(20);
        ::PostMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((fromX + toX) / 2, 15));
        ::PostMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, 15));
        uitest::PumpMessages(20);
        ::PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(toX, 15));
        uitest::PumpMessages(30);
    };
    auto width = [&](int column) {
        return static_cast<int>(list->SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    };
    drag(650, 620);
    EXPECT_EQ(width(3), 150);
    drag(150, 200);
    EXPECT_EQ(width(0), 200);
    EXPECT_EQ(width(3), 150);
}

TEST_F(CheckListTest, HorizontalScrollMovesThePaintedBoxAndItsClickZone) {
    list->DestroyWindow();
    list = std::make_unique<CListViewCheck1>();
    list->m_rowHeight = 30;
    MakeList(400);
    AddRecordRow(&records[0], L"a", L"", true);
    list->SendMessage(LVM_SCROLL, 40, 0);
    uitest::PumpMessages(20);
    Capture cap = Paint();
    const RECT rc = RowRect(0);
    EXPECT_EQ(rc.left, -40);
    // The box now spans x -35 .. -21: off the left edge, so column 0's left is plain row.
    EXPECT_FALSE(uitest::Near(cap.At(10, rc.top + 15), uitest::kTickedColour, 0));
    uitest::Click(list->m_hWnd, 10, rc.top + 15);
    EXPECT_EQ(list->RowState(0), 2);
    EXPECT_TRUE(host->ticks.empty());

    list->SendMessage(LVM_SCROLL, -30, 0);  // box now at x -5 .. 9
    uitest::PumpMessages(20);
    cap = Paint();
    EXPECT_TRUE(uitest::Near(cap.At(3, rc.top + 15), uitest::kTickedColour, 0)) << std::hex << cap.At(3, rc.top + 15);
    uitest::Click(list->m_hWnd, 3, rc.top + 15);
    EXPECT_EQ(list->RowState(0), 1);
}

TEST_F(CheckListTest, AddRowFillsOneTextPerColumnAndIgnoresExtras) {
    EXPECT_EQ(list->AddRow(L"n", L"p", L"c", L"e", L"extra"), 0);
    EXPECT_EQ(list->AddRow(L"only"), 1);
    EXPECT_EQ(list->GetItemText(0, 3), L"e");
    EXPECT_EQ(list->GetItemText(1, 0), L"only");
    EXPECT_EQ(list->GetItemText(1, 2), L"");
}

}  // namespace
