#pragma once
// CListViewCheck1: the record list. A report-view list whose rows it draws
// itself (skinned check box, red text and a marker for deleted records,
// alternating row colours) with a skinned header that sorts by column and
// ticks or unticks every row. Row ticks live in the system's state image
// index (1 unticked, 2 ticked); every change made by the user is reported to
// the parent with kMsgRowTickChanged.

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "ui/controls/header_ctrl_check.h"
#include "ui/controls/row_sort_ranks.h"
#include "ui/framework/controls.h"
#include "ui/framework/gdiplus_support.h"
#include "ui/framework/owner_draw.h"
#include "ui/framework/window_impl.h"

class CListViewCheck1 : public fw::CWindowImpl<CListViewCheck1, fw::CListViewCtrl>,
                        public fw::COwnerDraw<CListViewCheck1> {
public:
    static fw::WindowClassInfo GetWndClassInfo();

    CListViewCheck1();
    ~CListViewCheck1() override;

    // After Create: takes over the header, loads the skin pictures and makes
    // the check-all box. The result is that of loading the sort arrows.
    bool InitList();

    // Appends a row: `texts[0]` in column 0, then one text per further column
    // (extra texts are ignored, missing ones leave their column empty).
    int AddRowTexts(const wchar_t* const* texts, std::size_t count);
    template <class... More>
    int AddRow(const wchar_t* first, More... more) {
        const wchar_t* texts[] = {first, more...};
        return AddRowTexts(texts, sizeof...(more) + 1);
    }

    // Ticks or unticks every row in index order, reporting each to the parent.
    LRESULT SetAllChecks(WPARAM ticked);
    // Sorts by a column: the same column again reverses the order.
    LRESULT SortByColumn(int column);
    static int CALLBACK CompareRows(LPARAM itemData1, LPARAM itemData2, LPARAM list);

    void DrawItem(DRAWITEMSTRUCT* dis);
    void MeasureItem(MEASUREITEMSTRUCT* mis);

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // State image index of a row (0 when it has none).
    int RowState(int row) const;
    CHeaderCtrlCheck& Header() { return m_header; }

    fw::ImagePtr m_checkBoxImage;   // 4-frame strip: 0 unticked, 2 ticked
    fw::ImagePtr m_deletedMarker;
    COLORREF m_oddRowColour = RGB(255, 255, 255);
    COLORREF m_evenRowColour = RGB(245, 245, 245);
    CHeaderCtrlCheck m_header;
    int m_rowHeight = 50;
    int m_horizontalOffset = 0;
    // 1: every row's item data is a ContactRecord whose `deleted` paints it red.
    int m_listMode = 0;

private:
    bool OnButtonDown(LPARAM lParam);
    void ToggleRow(int row);
    void SyncCheckAllBox();
    bool RowIsDeleted(int row) const;
    bool OnReflectedNotify(NMHDR* header, LRESULT& result);
    bool OnHeaderNotify(WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Ranks of the rows by the sort column while a sort runs.
    cdv::RowRankTable m_sortRanks;
    // Depth of list-view messages being processed: state image changes made
    // outside them come from the system's own input handling.
    int m_listCallDepth = 0;
};
