#pragma once
// Typed views of the system controls, for use as the TBase of a window
// implementation (CWindowImpl<CMyButton, CButton>) or on their own. They add
// message helpers only; grow them as controls need more.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/framework/window.h"

namespace fw {

class CButton : public CWindow {
public:
    using CWindow::CWindow;
    static const wchar_t* GetWndClassName() { return L"BUTTON"; }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(bool pressed) { SendMessage(BM_SETSTATE, pressed ? TRUE : FALSE); }
    void Click() { SendMessage(BM_CLICK); }
};

class CStatic : public CWindow {
public:
    using CWindow::CWindow;
    static const wchar_t* GetWndClassName() { return L"STATIC"; }
};

class CProgressBarCtrl : public CWindow {
public:
    using CWindow::CWindow;
    static const wchar_t* GetWndClassName() { return PROGRESS_CLASSW; }
    void SetRange(int low, int high) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos))); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};

class CHeaderCtrl : public CWindow {
public:
    using CWindow::CWindow;
    static const wchar_t* GetWndClassName() { return WC_HEADERW; }
    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    bool GetItemRect(int index, RECT* rc) const {
        return SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rc)) != 0;
    }
    bool GetItem(int index, HDITEMW* item) const {
        return SendMessage(HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)) != 0;
    }
};

class CListViewCtrl : public CWindow {
public:
    using CWindow::CWindow;
    static const wchar_t* GetWndClassName() { return WC_LISTVIEWW; }
    HWND GetHeader() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    DWORD SetExtendedListViewStyle(DWORD style, DWORD mask = 0) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, static_cast<LPARAM>(style)));
    }
    int InsertItem(LVITEMW* item) {
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
    }
    bool SetItem(LVITEMW* item) { return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    bool GetItem(LVITEMW* item) const { return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    UINT GetItemState(int index, UINT mask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
    }
    bool SetItemState(int index, UINT state, UINT mask) {
        LVITEMW item{};
        item.state = state;
        item.stateMask = mask;
        return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
    }
    bool GetItemRect(int index, RECT* rc, int code) const {
        rc->left = code;
        return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rc)) != 0;
    }
    std::wstring GetItemText(int index, int subItem) const;
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
};

class CTreeViewCtrl : public CWindow {
public:
    using CWindow::CWindow;
    static const wchar_t* GetWndClassName() { return WC_TREEVIEWW; }
    HTREEITEM InsertItem(TVINSERTSTRUCTW* insert) {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(insert)));
    }
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    bool GetItem(TVITEMW* item) const { return SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    bool SetItem(TVITEMW* item) { return SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    bool Expand(HTREEITEM item, UINT code = TVE_EXPAND) {
        return SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0;
    }
    bool SelectItem(HTREEITEM item) {
        return SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
    }
    int SetItemHeight(int height) { return static_cast<int>(SendMessage(TVM_SETITEMHEIGHT, static_cast<WPARAM>(height))); }
    bool GetItemRect(HTREEITEM item, RECT* rc, bool textOnly) const;
    // The item's caption, up to 259 characters (a tree item shows no more).
    std::wstring GetItemText(HTREEITEM item) const;
};

}  // namespace fw
