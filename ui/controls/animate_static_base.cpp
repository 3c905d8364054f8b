#include "ui/controls/animate_static_base.h"

namespace cdv {

bool CAnimateStaticBase::SubclassWindow(HWND hWnd) {
    if (!fw::CWindowImplBaseT<fw::CStatic>::SubclassWindow(hWnd)) return false;
    ModifyStyle(WS_TABSTOP, 0);
    return true;
}

bool CAnimateStaticBase::ProcessWindowMessage(HWND /*hWnd*/, UINT msg, WPARAM wParam, LPARAM /*lParam*/,
                                              LRESULT& result) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_NCHITTEST:
        // A picture, not a control: the host item may be a push button, which
        // would draw itself pressed over the frames on a click. Clicks go to
        // the window underneath instead (the main window drags by them).
        result = HTTRANSPARENT;
        return true;
    case WM_DESTROY:
        OnDestroy();
        return false;
    default:
        return false;
    }
}

}  // namespace cdv
