#pragma once
// Messages the check-box list, its header and the category tree send when a
// tick changes (WM_USER = 1024).

#include <windows.h>

// List -> its parent: wParam row index, lParam 1 ticked / 0 unticked.
constexpr UINT kMsgRowTickChanged = WM_USER + 100;
// Header -> the list: wParam 1 when the check-all box is now ticked, else 0.
constexpr UINT kMsgCheckAllChanged = WM_USER + 104;
// Tree -> its parent: wParam the category HTREEITEM, lParam 1 ticked / 0 unticked.
constexpr UINT kMsgTreeItemTickChanged = WM_USER + 105;
