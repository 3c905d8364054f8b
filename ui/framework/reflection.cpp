#include "ui/framework/message_map.h"

namespace fw {

namespace {

// The messages a parent hands back to the control that sent them.
bool IsReflectedKind(UINT msg) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

}  // namespace

HWND ReflectionTarget(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsReflectedKind(msg)) return nullptr;
    switch (msg) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam != 0 ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY:
        switch (LOWORD(wParam)) {
        case WM_CREATE:
        case WM_DESTROY:
            return reinterpret_cast<HWND>(lParam);
        default:
            // Mouse notifications carry a point, not a window: the id names the child.
            return ::GetDlgItem(parent, HIWORD(wParam));
        }
    case WM_DRAWITEM:
        // A zero id means a menu item, which has no control to reflect to.
        if (wParam == 0 || lParam == 0) return nullptr;
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_MEASUREITEM:
        if (wParam == 0 || lParam == 0) return nullptr;
        return ::GetDlgItem(parent, static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID));
    case WM_COMPAREITEM:
        if (wParam == 0 || lParam == 0) return nullptr;
        return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM:
        if (wParam == 0 || lParam == 0) return nullptr;
        return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    default:
        // Scroll, key-to-item and colour messages name the control in lParam.
        return reinterpret_cast<HWND>(lParam);
    }
}

bool ReflectNotifications(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND target = ReflectionTarget(parent, msg, wParam, lParam);
    if (target == nullptr || !::IsWindow(target)) return false;
    LRESULT answer = ::SendMessageW(target, kReflectBase + msg, wParam, lParam);
    // A control that does not know the reflected colour message answers 0;
    // the parent's default then supplies the usual brush instead of none.
    if (answer == 0 && msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return false;
    result = answer;
    return true;
}

bool IsReflectedMessage(UINT msg) { return msg >= kReflectBase && IsReflectedKind(msg - kReflectBase); }

bool DefaultReflectionHandler(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!IsReflectedMessage(msg)) return false;
    result = ::DefWindowProcW(hWnd, msg - kReflectBase, wParam, lParam);
    return true;
}

}  // namespace fw
