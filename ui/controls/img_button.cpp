#include "ui/controls/img_button.h"

#include <windowsx.h>

#include "ui/controls/img_button_layout.h"
#include "ui/controls/strip.h"

namespace {

HCURSOR HandCursor() {
    // Loaded on first use and kept for the process; a failed load is retried.
    static HCURSOR hand = nullptr;
    if (hand == nullptr) hand = ::LoadCursorW(nullptr, IDC_HAND);
    return hand;
}

}  // namespace

CImgButton::~CImgButton() = default;

bool CImgButton::HasPicture() const { return fw::ImageWidth(m_image.get()) != 0; }

bool CImgButton::SetupButton(HWND button, const std::wstring& imagePath, int x, int y, int stateCount) {
    if (button == nullptr || !::IsWindow(button)) return false;
    if (m_hWnd != button) {
        if (m_hWnd != nullptr) UnsubclassWindow();
        if (!SubclassWindow(button)) return false;
    }
    const DWORD style = GetStyle();
    if ((style & BS_OWNERDRAW) != BS_OWNERDRAW) {
        ::SetWindowLongPtrW(button, GWL_STYLE, static_cast<LONG_PTR>(style | BS_OWNERDRAW));
    }

    m_image = fw::LoadImageFile(imagePath);
    m_stateCount = stateCount;
    m_plainFace = false;
    const unsigned imageWidth = fw::ImageWidth(m_image.get());
    m_width = static_cast<int>(StripFrameWidth(imageWidth, stateCount > 0 ? static_cast<unsigned>(stateCount) : 0));
    m_height = static_cast<int>(fw::ImageHeight(m_image.get()));

    HWND parent = GetParent();
    RECT client{};
    ::GetClientRect(parent, &client);
    const fw::Point at = ImageButtonOrigin(x, y, m_width, m_height, client.right, client.bottom);

    m_background.reset();
    SetWindowPos(HWND_TOP, at.x, at.y, m_width, m_height, SWP_SHOWWINDOW);

    fw::ClientDC parentDc(parent);
    m_background.reset(::CreateCompatibleBitmap(parentDc, m_width > 0 ? m_width : 1, m_height > 0 ? m_height : 1));
    return true;
}

void CImgButton::UsePlainFace(int x, int y, int width, int height) {
    if (m_hWnd == nullptr || width <= 0 || height <= 0) return;
    m_plainFace = true;
    m_width = width;
    m_height = height;
    HWND parent = GetParent();
    RECT client{};
    ::GetClientRect(parent, &client);
    const fw::Point at = ImageButtonOrigin(x, y, width, height, client.right, client.bottom);
    SetWindowPos(HWND_TOP, at.x, at.y, width, height, SWP_SHOWWINDOW);
    fw::ClientDC parentDc(parent);
    m_background.reset(::CreateCompatibleBitmap(parentDc, width, height));
}

void CImgButton::CaptureBackground(HDC source, int x, int y) {
    if (!m_background || m_width <= 0 || m_height <= 0) return;
    fw::MemoryDC mem(source);
    fw::SelectionGuard select(mem, m_background.get());
    ::BitBlt(mem, 0, 0, m_width, m_height, source, x, y, SRCCOPY);
}

void CImgButton::SetImageEnabled(bool enabled) {
    m_enabled = enabled;
    if (m_hWnd != nullptr) InvalidateRect(nullptr, false);
}

void CImgButton::DrawPlainFace(HDC dc, const RECT& rc, bool pressed) {
    RECT face = rc;
    ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    std::wstring text = GetWindowText();
    fw::SelectionGuard font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(m_enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CImgButton::DrawItem(const DRAWITEMSTRUCT* dis) {
    if (dis == nullptr || m_width <= 0 || m_height <= 0) return;
    fw::MemoryDC mem(dis->hDC);
    fw::GdiBitmap canvas(::CreateCompatibleBitmap(dis->hDC, m_width, m_height));
    fw::SelectionGuard selectCanvas(mem, canvas.get());
    {
        fw::MemoryDC back(dis->hDC);
        fw::SelectionGuard selectBack(back, m_background.get());
        ::BitBlt(mem, 0, 0, m_width, m_height, back, 0, 0, SRCCOPY);
    }

    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    if (m_plainFace) {
        RECT rc{0, 0, m_width, m_height};
        DrawPlainFace(mem, rc, selected);
    } else {
        const int frame = ImageButtonFrameFor(m_enabled, selected, m_tracking);
        Gdiplus::Graphics graphics(mem.get());
        // A frame outside the strip (3 of a 3-frame strip) draws nothing.
        graphics.DrawImage(m_image.get(), Gdiplus::RectF(0.0f, 0.0f, static_cast<float>(m_width), static_cast<float>(m_height)),
                           static_cast<float>(frame * m_width), 0.0f, static_cast<float>(m_width),
                           static_cast<float>(m_height), Gdiplus::UnitPixel);
    }
    ::BitBlt(dis->hDC, dis->rcItem.left, dis->rcItem.top, m_width, m_height, mem, 0, 0, SRCCOPY);
}

bool CImgButton::OnMouseMove(HWND hWnd) {
    const MSG* msg = GetCurrentMessage();
    if (::GetCapture() == hWnd) {
        POINT pt{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
        ::ClientToScreen(hWnd, &pt);
        SetState(::WindowFromPoint(pt) == hWnd);
    } else if (!m_tracking) {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = hWnd;
        m_tracking = ::TrackMouseEvent(&tme) != FALSE;
        ::InvalidateRect(hWnd, nullptr, FALSE);
    }
    return false;  // the system button sees the move too
}

bool CImgButton::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!m_enabled) {
            result = 0;
            return true;
        }
        return OnMouseMove(hWnd);
    case WM_MOUSELEAVE:
        if (m_enabled) {
            m_tracking = false;
            ::InvalidateRect(hWnd, nullptr, FALSE);
        }
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
        if (!m_enabled) {
            result = 0;
            return true;
        }
        if (m_tracking) {
            TRACKMOUSEEVENT tme{};
            tme.cbSize = sizeof(tme);
            tme.dwFlags = TME_CANCEL | TME_LEAVE;
            tme.hwndTrack = hWnd;
            if (::TrackMouseEvent(&tme)) m_tracking = false;
        }
        return false;  // capture, pressed look and BN_CLICKED come from the system button
    case fw::OCM_DRAWITEM:
        DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case BM_CLICK:
        if (!m_enabled) {
            result = 0;
            return true;
        }
        return false;
    case WM_SETCURSOR:
        if (!m_enabled) {
            result = 0;
            return true;
        }
        if (HCURSOR hand = HandCursor()) {
            ::SetCursor(hand);
            result = 1;
            return true;
        }
        return false;
    default:
        return fw::DefaultReflectionHandler(hWnd, msg, wParam, lParam, result);
    }
}
