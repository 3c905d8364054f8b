#pragma once
// CWindow: a non-owning, copyable view of a window handle with typed helpers.
// It never destroys the window; ownership lives with whoever created it.

#include <windows.h>

#include <string>

namespace fw {

class CWindow {
public:
    HWND m_hWnd = nullptr;

    CWindow() = default;
    CWindow(HWND hWnd) : m_hWnd(hWnd) {}  // NOLINT: implicit on purpose, like a handle
    CWindow& operator=(HWND hWnd) {
        m_hWnd = hWnd;
        return *this;
    }
    operator HWND() const { return m_hWnd; }

    void Attach(HWND hWnd) { m_hWnd = hWnd; }
    HWND Detach() {
        HWND h = m_hWnd;
        m_hWnd = nullptr;
        return h;
    }

    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    BOOL DestroyWindow() {
        BOOL ok = ::DestroyWindow(m_hWnd);
        if (ok) m_hWnd = nullptr;
        return ok;
    }

    LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const {
        return ::SendMessageW(m_hWnd, msg, w, l);
    }
    BOOL PostMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const {
        return ::PostMessageW(m_hWnd, msg, w, l);
    }

    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetOwner() const { return ::GetWindow(m_hWnd, GW_OWNER); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    LONG_PTR GetWindowLongPtr(int index) const { return ::GetWindowLongPtrW(m_hWnd, index); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    // Removes then adds style bits; `swpFlags` non-zero also refreshes the frame.
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);

    RECT GetClientRect() const {
        RECT rc{};
        ::GetClientRect(m_hWnd, &rc);
        return rc;
    }
    RECT GetWindowRect() const {
        RECT rc{};
        ::GetWindowRect(m_hWnd, &rc);
        return rc;
    }
    // The window rectangle in its parent's client coordinates.
    RECT GetRectInParent() const;

    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    BOOL MoveWindow(int x, int y, int cx, int cy, bool repaint = true) {
        return ::MoveWindow(m_hWnd, x, y, cx, cy, repaint ? TRUE : FALSE);
    }
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    BOOL EnableWindow(bool enable) { return ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }

    BOOL Invalidate(bool erase = true) { return ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE); }
    BOOL InvalidateRect(const RECT* rc, bool erase = true) {
        return ::InvalidateRect(m_hWnd, rc, erase ? TRUE : FALSE);
    }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }

    BOOL ScreenToClient(POINT* pt) const { return ::ScreenToClient(m_hWnd, pt); }
    BOOL ClientToScreen(POINT* pt) const { return ::ClientToScreen(m_hWnd, pt); }

    BOOL SetWindowText(const wchar_t* text) { return ::SetWindowTextW(m_hWnd, text); }
    std::wstring GetWindowText() const;

    void SetFont(HFONT font, bool redraw = true) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

    UINT_PTR SetTimer(UINT_PTR id, UINT ms) { return ::SetTimer(m_hWnd, id, ms, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

    // Hands the region to the system, which then owns it.
    int SetWindowRgn(HRGN rgn, bool redraw = true) { return ::SetWindowRgn(m_hWnd, rgn, redraw ? TRUE : FALSE); }

    // Centres over `reference` (default: the owner of a pop-up, the parent of a
    // child) when that window is visible and not minimised, otherwise in the
    // work area of the window's monitor; the result is kept inside the work area.
    bool CenterWindow(HWND reference = nullptr);
};

}  // namespace fw
