#include "ui/framework/window.h"

#include "ui/framework/geometry.h"

namespace fw {

namespace {

Rect ToRect(const RECT& rc) { return Rect{rc.left, rc.top, rc.right, rc.bottom}; }

bool ChangeLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
    DWORD old = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, index));
    DWORD now = (old & ~remove) | add;
    if (now == old) return false;
    ::SetWindowLongPtrW(hWnd, index, static_cast<LONG_PTR>(now));
    if (swpFlags != 0) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    }
    return true;
}

}  // namespace

bool CWindow::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    return ChangeLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

bool CWindow::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
    return ChangeLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

RECT CWindow::GetRectInParent() const {
    RECT rc = GetWindowRect();
    HWND parent = GetParent();
    if (parent != nullptr) ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::wstring CWindow::GetWindowText() const {
    int len = ::GetWindowTextLengthW(m_hWnd);
    if (len <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    int got = ::GetWindowTextW(m_hWnd, &text[0], len + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

bool CWindow::CenterWindow(HWND reference) {
    const bool child = (GetStyle() & WS_CHILD) != 0;
    if (reference == nullptr) reference = child ? GetParent() : GetOwner();

    RECT own = GetWindowRect();
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;

    Rect ref{};
    Rect work{};
    if (child) {
        HWND parent = GetParent();
        RECT client{};
        ::GetClientRect(parent, &client);
        work = ToRect(client);
        ref = work;
        if (reference != nullptr && reference != parent) {
            RECT r{};
            ::GetWindowRect(reference, &r);
            ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
            ref = ToRect(r);
        }
    } else {
        HMONITOR monitor = ::MonitorFromWindow(reference != nullptr ? reference : m_hWnd,
                                               MONITOR_DEFAULTTONEAREST);
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (::GetMonitorInfoW(monitor, &info)) {
            work = ToRect(info.rcWork);
        } else {
            RECT desk{};
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &desk, 0);
            work = ToRect(desk);
        }
        ref = work;
        if (reference != nullptr && ::IsWindowVisible(reference) && !::IsIconic(reference)) {
            RECT r{};
            ::GetWindowRect(reference, &r);
            ref = ToRect(r);
        }
    }

    Point p = CentredOrigin(width, height, ref, work);
    return ::SetWindowPos(m_hWnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

}  // namespace fw
