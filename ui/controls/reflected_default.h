#pragma once
// Default answer for the reflected messages a parent sends back to a control.
// Only the reflected kinds themselves: common-control messages (CCM_*) share
// the 0x2000 range and must reach the control's own procedure unchanged.

#include <windows.h>

#include "ui/framework/message_map.h"

inline bool IsReflectedKind(UINT msg) {
    switch (msg) {
    case fw::OCM_COMMAND:
    case fw::OCM_NOTIFY:
    case fw::OCM_PARENTNOTIFY:
    case fw::OCM_DRAWITEM:
    case fw::OCM_MEASUREITEM:
    case fw::OCM_COMPAREITEM:
    case fw::OCM_DELETEITEM:
    case fw::OCM_VKEYTOITEM:
    case fw::OCM_CHARTOITEM:
    case fw::OCM_HSCROLL:
    case fw::OCM_VSCROLL:
    case fw::OCM_CTLCOLORBTN:
    case fw::OCM_CTLCOLORDLG:
    case fw::OCM_CTLCOLOREDIT:
    case fw::OCM_CTLCOLORLISTBOX:
    case fw::OCM_CTLCOLORMSGBOX:
    case fw::OCM_CTLCOLORSCROLLBAR:
    case fw::OCM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

inline bool ReflectedDefault(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return IsReflectedKind(msg) && fw::DefaultReflectionHandler(hWnd, msg, wParam, lParam, result);
}
