#include "ui/controls/hyperlink_impl.h"

#include <commctrl.h>

#include <string>

#include "ui/controls/anchor_color.h"
#include "ui/controls/shell_open.h"
#include "ui/framework/app_module.h"

namespace cdv {

namespace {

constexpr UINT_PTR kToolId = 1;

// Signed client coordinates packed in a mouse message's lParam.
POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool IsStaticControl(HWND hWnd) {
    wchar_t name[16] = {};
    ::GetClassNameW(hWnd, name, 16);
    return ::lstrcmpiW(name, L"Static") == 0;
}

// Static types that show a picture or a frame instead of their text.
bool IsPictureType(DWORD style) {
    const DWORD type = style & SS_TYPEMASK;
    return (type >= SS_ICON && type <= SS_WHITEFRAME) || type == SS_OWNERDRAW || type == SS_BITMAP ||
           type == SS_ENHMETAFILE;
}

UINT AlignmentFlags(HWND hWnd) {
    if (!IsStaticControl(hWnd)) return DT_LEFT;
    switch (static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE)) & SS_TYPEMASK) {
    case SS_CENTER: return DT_CENTER;
    case SS_RIGHT: return DT_RIGHT;
    default: return DT_LEFT;
    }
}

bool ReadColorValue(HKEY key, const wchar_t* name, COLORREF& color) {
    wchar_t text[kAnchorColorChars] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(text);
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    const auto parsed = ParseAnchorColor(
        std::u16string_view(reinterpret_cast<const char16_t*>(text), bytes / sizeof(wchar_t)));
    if (!parsed) return false;
    color = RGB(parsed->r, parsed->g, parsed->b);
    return true;
}

}  // namespace

CHyperLinkImpl::~CHyperLinkImpl() {
    if (m_toolTip != nullptr && ::IsWindow(m_toolTip)) ::DestroyWindow(m_toolTip);
    if (m_ownLinkFont && m_linkFont != nullptr) ::DeleteObject(m_linkFont);
}

bool CHyperLinkImpl::SubclassWindow(HWND hWnd) {
    if (!fw::CWindowImplBaseT<fw::CWindow>::SubclassWindow(hWnd)) return false;
    Init();
    return true;
}

void CHyperLinkImpl::Init() {
    if (IsStaticControl(m_hWnd)) {
        if (IsPictureType(GetStyle())) m_paintLabel = false;
        ModifyStyle(0, SS_NOTIFY);
    }
    m_handCursor = ::LoadCursorW(nullptr, IDC_HAND);

    m_normalFont = reinterpret_cast<HFONT>(::SendMessageW(GetParent(), WM_GETFONT, 0, 0));
    if (m_linkFont == nullptr) {
        LOGFONTW lf{};
        if (::GetObjectW(NormalFont(), sizeof(lf), &lf) != 0) {
            lf.lfUnderline = TRUE;
            m_linkFont = ::CreateFontIndirectW(&lf);
            m_ownLinkFont = m_linkFont != nullptr;
        }
    }

    m_toolTip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  fw::ModuleInstance(), nullptr);

    if (m_label.empty()) m_label = GetWindowText();
    ReadRegistryColors();
    CalcLabelRect();
    UpdateToolTip();
}

void CHyperLinkImpl::ReadRegistryColors() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Settings", 0, KEY_READ,
                        &key) != ERROR_SUCCESS) {
        return;
    }
    ReadColorValue(key, L"Anchor Color", m_linkColor);
    ReadColorValue(key, L"Anchor Color Visited", m_visitedColor);
    ::RegCloseKey(key);
}

HFONT CHyperLinkImpl::NormalFont() const {
    return m_normalFont != nullptr ? m_normalFont : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
}

void CHyperLinkImpl::SetLabel(const wchar_t* label) {
    m_label = label != nullptr ? label : L"";
    if (m_hWnd == nullptr) return;
    CalcLabelRect();
    UpdateToolTip();
    Invalidate();
}

void CHyperLinkImpl::SetHyperLink(const wchar_t* address) {
    m_hyperlink = address != nullptr ? address : L"";
    if (m_hWnd == nullptr) return;
    UpdateToolTip();
}

void CHyperLinkImpl::SetLinkFont(HFONT font) {
    if (m_ownLinkFont && m_linkFont != nullptr && m_linkFont != font) ::DeleteObject(m_linkFont);
    m_linkFont = font;
    m_ownLinkFont = false;
    if (m_hWnd == nullptr) return;
    CalcLabelRect();
    UpdateToolTip();
    Invalidate();
}

bool CHyperLinkImpl::GetIdealSize(SIZE& size) const {
    size = SIZE{0, 0};
    if (m_hWnd == nullptr) return false;
    fw::ClientDC dc(m_hWnd);
    fw::SelectionGuard font(dc, m_linkFont != nullptr ? m_linkFont : NormalFont());
    // The label's own extent: only its line breaks start new lines.
    RECT rc{0, 0, 0, 0};
    ::DrawTextW(dc, m_label.c_str(), static_cast<int>(m_label.size()), &rc, DT_LEFT | DT_NOPREFIX | DT_CALCRECT);
    size.cx = rc.right - rc.left;
    size.cy = rc.bottom - rc.top;
    return true;
}

void CHyperLinkImpl::CalcLabelRect() {
    const RECT client = GetClientRect();
    if (m_label.empty() || client.right <= 0) {
        m_labelRect = RECT{};
        return;
    }
    fw::ClientDC dc(m_hWnd);
    fw::SelectionGuard font(dc, m_linkFont != nullptr ? m_linkFont : NormalFont());
    RECT calc = client;
    ::DrawTextW(dc, m_label.c_str(), static_cast<int>(m_label.size()), &calc,
                DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    const int width = calc.right - calc.left;
    int left = 0;
    switch (AlignmentFlags(m_hWnd)) {
    case DT_CENTER: left = (client.right - width) / 2; break;
    case DT_RIGHT: left = client.right - width; break;
    default: break;
    }
    m_labelRect = RECT{left, 0, left + width, calc.bottom - calc.top};
}

void CHyperLinkImpl::UpdateToolTip() {
    if (m_toolTip == nullptr) return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = m_hWnd;
    info.uId = kToolId;
    if (m_hyperlink.empty()) {
        if (m_toolAdded) ::SendMessageW(m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        m_toolAdded = false;
        return;
    }
    info.rect = m_labelRect;
    info.lpszText = const_cast<wchar_t*>(m_hyperlink.c_str());
    if (m_toolAdded) {
        ::SendMessageW(m_toolTip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
        ::SendMessageW(m_toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    } else {
        m_toolAdded = ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    }
    ::SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
}

bool CHyperLinkImpl::IsOverLabel(LPARAM pointLParam) const {
    const POINT pt = PointOf(pointLParam);
    return ::PtInRect(&m_labelRect, pt) != FALSE;
}

void CHyperLinkImpl::Navigate() {
    if (OpenInShell(m_hyperlink.c_str())) MarkVisited();
}

void CHyperLinkImpl::MarkVisited() {
    m_visited = true;
    Invalidate();
    UpdateWindow();
}

void CHyperLinkImpl::Paint(HDC target) {
    const RECT client = GetClientRect();
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(GetParent(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(target),
                       reinterpret_cast<LPARAM>(m_hWnd)));
    if (brush != nullptr) ::FillRect(target, &client, brush);

    COLORREF color = m_visited ? m_visitedColor : m_linkColor;
    if (!IsWindowEnabled()) color = ::GetSysColor(COLOR_GRAYTEXT);
    const int oldMode = ::SetBkMode(target, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(target, color);
    {
        fw::SelectionGuard font(target, m_linkFont != nullptr ? m_linkFont : NormalFont());
        RECT label = m_labelRect;
        ::DrawTextW(target, m_label.c_str(), static_cast<int>(m_label.size()), &label,
                    DT_WORDBREAK | DT_NOPREFIX | AlignmentFlags(m_hWnd));
    }
    if (::GetFocus() == m_hWnd) ::DrawFocusRect(target, &m_labelRect);
    ::SetTextColor(target, oldColor);
    ::SetBkMode(target, oldMode);
}

bool CHyperLinkImpl::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && m_toolTip != nullptr) {
        MSG relay{hWnd, msg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        const DWORD pos = ::GetMessagePos();
        relay.pt = PointOf(static_cast<LPARAM>(pos));
        ::SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }

    switch (msg) {
    case WM_DESTROY:
        if (m_toolTip != nullptr && ::IsWindow(m_toolTip)) ::DestroyWindow(m_toolTip);
        m_toolTip = nullptr;
        m_toolAdded = false;
        return false;
    case WM_SIZE:
        CalcLabelRect();
        UpdateToolTip();
        Invalidate();
        result = 0;
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m_paintLabel) Invalidate();
        result = 0;
        return true;
    case WM_PAINT:
        if (!m_paintLabel) return false;
        {
            fw::PaintDC paint(hWnd);
            const RECT client = GetClientRect();
            fw::OffscreenBuffer buffer(paint, client.right, client.bottom);
            if (buffer.valid()) {
                // Start from what is on screen, so a parent without a brush
                // shows through around the label.
                ::BitBlt(buffer.dc(), 0, 0, client.right, client.bottom, paint, 0, 0, SRCCOPY);
                Paint(buffer.dc());
                buffer.CopyTo(paint, 0, 0);
            } else {
                Paint(paint);
            }
        }
        result = 0;
        return true;
    case WM_PRINTCLIENT:
        if (!m_paintLabel) return false;
        Paint(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_SETCURSOR:
        if (!m_hyperlink.empty()) {
            POINT pt{};
            ::GetCursorPos(&pt);
            ScreenToClient(&pt);
            if (::PtInRect(&m_labelRect, pt)) {
                ::SetCursor(m_handCursor);
                result = TRUE;
                return true;
            }
        }
        return false;
    case WM_SETFONT:
        m_normalFont = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0) {
            Invalidate();
            UpdateWindow();
        }
        result = 0;
        return true;
    case WM_GETFONT:
        result = reinterpret_cast<LRESULT>(m_normalFont);
        return true;
    case WM_ENABLE:
        Invalidate();
        UpdateWindow();
        result = 0;
        return true;
    case WM_GETDLGCODE: {
        result = DLGC_WANTCHARS;
        // Enter would otherwise be the dialog's default button; let it reach
        // the link, which it activates.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
            key->wParam == VK_RETURN) {
            result |= DLGC_WANTMESSAGE;
        }
        return true;
    }
    case WM_CHAR:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            Navigate();
            result = 0;
            return true;
        }
        return false;
    case WM_MOUSEMOVE:
        if (!m_hyperlink.empty() && IsOverLabel(lParam)) ::SetCursor(m_handCursor);
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
        if (IsOverLabel(lParam)) {
            SetFocus();
            ::SetCapture(hWnd);
        }
        result = 0;
        return true;
    case WM_LBUTTONUP:
        if (::GetCapture() == hWnd) {
            ::ReleaseCapture();
            if (IsOverLabel(lParam)) Navigate();
        }
        result = 0;
        return true;
    case WM_MOUSELEAVE:
        m_hover = false;
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace cdv
