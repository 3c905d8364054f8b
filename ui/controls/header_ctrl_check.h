#pragma once
// CHeaderCtrlCheck: the skinned header of the check-box list. It paints the
// background strip, captions and the sort arrow itself, carries a check-all
// box and keeps the last column's divider fixed. It subclasses the list's own
// header window; the list owns the sort fields and the header paints them.

#include <windows.h>

#include "ui/framework/controls.h"
#include "ui/framework/gdi.h"
#include "ui/framework/gdiplus_support.h"
#include "ui/framework/window_impl.h"
#include "ui/controls/tick_messages.h"

class CHeaderCtrlCheck : public fw::CWindowImpl<CHeaderCtrlCheck, fw::CHeaderCtrl> {
public:
    // Loads the background strip (list_hearder.bmp) from the image folder.
    CHeaderCtrlCheck();
    ~CHeaderCtrlCheck() override;

    // True when both arrow image objects exist (a missing file still gives one).
    bool LoadSortImages(const wchar_t* ascendingPath, const wchar_t* descendingPath);

    // Creates the check-all box in the subclassed header.
    bool CreateCheckAllBox();
    HWND CheckAllBox() const { return m_checkAll; }
    void SetCheckAll(bool ticked);
    bool IsCheckAllTicked() const;

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Paints the whole header into `dc` (the double-buffer source).
    void PaintContent(HDC dc, const RECT& client);

    fw::GdiBitmap m_background;
    fw::ImagePtr m_ascendingArrow;
    fw::ImagePtr m_descendingArrow;
    int m_headerHeight = 30;
    int m_sortColumn = -1;
    bool m_sortAscending = true;
    HWND m_checkAll = nullptr;

private:
    void OnPaint();
    void OnCheckAllClicked();
    bool OnReflectedNotify(const NMHDR* header, LRESULT& result);
};
