#include "ui/dialogs/about_box.h"

#include <cwchar>

#include "app/web_links.h"
#include "platform/tallowkit/tallowkit.h"
#include "ui/controls/font_pool.h"
#include "ui/controls/product_info.h"
#include "ui/controls/skin.h"
#include "ui/dialogs/box_command.h"

namespace cdv {

namespace {

constexpr int kLinkId = -1;
constexpr int kCloseId = 1024;
constexpr int kOkId = 1027;

// Without "aboutbk.png" the box would have no size and no way to close; it
// then takes this size and a plain face.
constexpr int kPlainWidth = 490;
constexpr int kPlainHeight = 350;
constexpr COLORREF kPlainBand = RGB(40, 96, 160);

const wchar_t kWarning[] =
    L"Warning: this program is protected by copyright law and international treaties. Unauthorized "
    L"reproduction or distribution of this program, or of any part of it, may result in severe civil and "
    L"criminal penalties.";
const wchar_t kCopyright[] = L"Copyright \u00A9 2026 Marlowen. All rights reserved.";

void TextAt(HDC dc, int x, int y, const wchar_t* text) {
    ::TextOutW(dc, x, y, text, static_cast<int>(std::wcslen(text)));
}

}  // namespace

std::wstring AboutVersionLine(const std::wstring& version) { return L"Version:" + version; }

CAboutBox::~CAboutBox() {
    if (IsWindow()) DestroyWindow();
}

HWND CAboutBox::LinkStatic() const {
    if (HWND h = ::GetDlgItem(m_hWnd, kLinkId)) return h;
    // A template may store the static's id as 0xFFFF.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR id = ::GetWindowLongPtrW(child, GWLP_ID);
        if (id == 0xFFFF || static_cast<int>(id) == kLinkId) return child;
    }
    return nullptr;
}

void CAboutBox::OnInitDialog() {
    m_background = SkinImage(L"aboutbk.png");
    int width = static_cast<int>(fw::ImageWidth(m_background.get()));
    int height = static_cast<int>(fw::ImageHeight(m_background.get()));
    if (width == 0 || height == 0) {
        width = kPlainWidth;
        height = kPlainHeight;
    }
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    CenterWindow();

    m_btnClose.SetupButton(GetDlgItem(kCloseId), SkinFilePath(L"close.png"), -8, 5, 4);
    if (m_btnClose.m_hWnd != nullptr && m_btnClose.Width() == 0) m_btnClose.UsePlainFace(-8, 5, 20, 20);
    m_btnOk.SetupButton(GetDlgItem(kOkId), SkinFilePath(L"ok.png"), -20, -15, 4);
    if (m_btnOk.m_hWnd != nullptr && m_btnOk.Width() == 0) m_btnOk.UsePlainFace(-20, -15, 72, 24);

    m_warningRect = kWarningRect;

    m_linkBrush.reset(::CreateSolidBrush(kLinkFace));
    if (m_link.SubclassWindow(LinkStatic())) {
        m_linkFont.reset(get_font(L"Arial", 16, 400));
        m_link.SetLinkFont(m_linkFont.get());
        m_link.SetLabel((std::wstring(L"Homepage:") + web::kHomePage).c_str());
        m_link.SetHyperLink(web::kHomePage);
        SIZE ideal{};
        m_link.GetIdealSize(ideal);
        m_link.SetWindowPos(nullptr, 40, 270, ideal.cx, ideal.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void CAboutBox::OnPaint() {
    fw::PaintDC paint(m_hWnd);
    const int W = m_client.right;
    const int H = m_client.bottom;
    fw::OffscreenBuffer buffer(paint, W, H);
    if (!buffer.valid()) return;
    HDC mem = buffer.dc();

    if (fw::ImageWidth(m_background.get()) == 0) {
        const RECT all{0, 0, W, H};
        fw::GdiBrush face(::CreateSolidBrush(kLinkFace));
        ::FillRect(mem, &all, face.get());
        const RECT band{0, 0, W, 30};
        fw::GdiBrush bandBrush(::CreateSolidBrush(kPlainBand));
        ::FillRect(mem, &band, bandBrush.get());
        ::FrameRect(mem, &all, bandBrush.get());
    } else {
        Gdiplus::Graphics graphics(mem);
        graphics.DrawImage(m_background.get(), 0, 0, W, H);
    }

    ::SetBkMode(mem, TRANSPARENT);
    TkFontPool& fonts = TkFontPool::Instance();
    {
        fw::SelectionGuard font(mem, fonts.FontByKey(0));
        ::SetTextColor(mem, RGB(255, 255, 255));
        TextAt(mem, 38, 7, kProductTitle);
    }
    {
        fw::SelectionGuard font(mem, fonts.FontByKey(0x200));
        ::SetTextColor(mem, RGB(0, 0, 90));
        const std::wstring version = AboutVersionLine(ProductVersion());
        ::ExtTextOutW(mem, 40, 135, 0, nullptr, version.c_str(), static_cast<UINT>(version.size()), nullptr);
    }
    {
        fw::SelectionGuard font(mem, fonts.FontByKey(0x100));
        ::SetTextColor(mem, RGB(0, 0, 0));
        RECT warning = m_warningRect;
        ::DrawTextW(mem, kWarning, -1, &warning, DT_WORDBREAK | DT_NOPREFIX);
        TextAt(mem, 40, 310, kCopyright);
    }
    buffer.CopyTo(paint, 0, 0);

    // The buttons draw over the face under them: hand them the pixels just
    // put on screen.
    for (CImgButton* button : {&m_btnClose, &m_btnOk}) {
        if (button->m_hWnd == nullptr || !button->IsWindowVisible()) continue;
        const RECT rc = button->GetRectInParent();
        button->CaptureBackground(mem, rc.left, rc.top);
        button->InvalidateRect(nullptr, false);
    }
}

bool CAboutBox::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog();
        result = TRUE;
        return true;
    case WM_SIZE:
        m_client = GetClientRect();
        SetWindowRgn(::CreateRoundRectRgn(0, 0, m_client.right + 1, m_client.bottom + 1, 5, 5), true);
        result = 0;
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == m_link.m_hWnd && m_link.m_hWnd != nullptr) {
            result = reinterpret_cast<LRESULT>(m_linkBrush.get());
            return true;
        }
        break;
    case WM_LBUTTONDOWN:
        // Dragging by any point of the face.
        ::PostMessageW(hWnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        result = 0;
        return true;
    case WM_COMMAND: {
        const BoxCommand command = ClassifyBoxCommand(wParam, lParam, {kCloseId, kOkId});
        if (command == BoxCommand::NotOurs) break;
        if (command == BoxCommand::Close) EndDialog(LOWORD(wParam));
        result = 0;
        return true;
    }
    default:
        break;
    }
    return fw::ReflectNotifications(hWnd, msg, wParam, lParam, result);
}

}  // namespace cdv
