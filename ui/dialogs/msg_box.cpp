#include "ui/dialogs/msg_box.h"

#include "platform/tallowkit/tallowkit.h"
#include "ui/controls/product_info.h"
#include "ui/controls/skin.h"
#include "ui/dialogs/box_command.h"
#include "ui/framework/gdi.h"

namespace {

const wchar_t* IconFile(int kind) {
    switch (kind) {
    case kMsgBoxWarning: return L"warn.png";
    case kMsgBoxError: return L"error.png";
    case kMsgBoxInformation: return L"info.png";
    case kMsgBoxSuccess: return L"right.png";
    default: return nullptr;
    }
}

// Without "msgbox.png" the box would have no size and could never be closed;
// it then takes this size and a plain face.
constexpr int kPlainWidth = 420;
constexpr int kPlainHeight = 170;
constexpr COLORREF kPlainFace = RGB(244, 247, 251);
constexpr COLORREF kPlainEdge = RGB(150, 165, 185);

struct ActionSpec {
    int id;
    const wchar_t* image;
};
// In set-up order: OK, Cancel, Yes, No (MsgBoxAction).
const ActionSpec kActions[4] = {{1011, L"ok.png"}, {1015, L"cancel.png"}, {1012, L"yes.png"}, {1014, L"no.png"}};
const unsigned kActionFlags[4] = {kMsgBoxOk, kMsgBoxCancel, kMsgBoxYes, kMsgBoxNo};

}  // namespace

CMsgBox::CMsgBox() : m_background(SkinImage(L"msgbox.png")) {}

CMsgBox::~CMsgBox() = default;

INT_PTR CMsgBox::ShowMessage(int iconKind, unsigned short buttonSet, const std::wstring& text, HWND parent) {
    m_iconKind = iconKind;
    m_buttonSet = buttonSet;
    m_text = text;
    return DoModal(parent != nullptr ? parent : ::GetActiveWindow());
}

CImgButton* CMsgBox::ActionButton(int action) {
    switch (action) {
    case kActionOk: return &m_btnOk;
    case kActionCancel: return &m_btnCancel;
    case kActionYes: return &m_btnYes;
    default: return &m_btnNo;
    }
}

void CMsgBox::OnInitDialog() {
    const wchar_t* iconFile = IconFile(m_iconKind);
    m_icon = iconFile != nullptr ? SkinImage(iconFile) : nullptr;

    int width = static_cast<int>(fw::ImageWidth(m_background.get()));
    int height = static_cast<int>(fw::ImageHeight(m_background.get()));
    if (width == 0 || height == 0) {
        width = kPlainWidth;
        height = kPlainHeight;
    }
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    CenterWindow();

    m_client = GetClientRect();
    const int W = m_client.right;
    const int H = m_client.bottom;
    SetWindowRgn(::CreateRoundRectRgn(0, 0, W + 1, H + 1, 5, 5), false);
    m_iconRect = RECT{20, (H - 40) / 2, 40, 40};

    m_btnClose.SetupButton(GetDlgItem(1010), SkinFilePath(L"close.png"), -5, 5, 4);
    if (m_btnClose.m_hWnd != nullptr && m_btnClose.Width() == 0) m_btnClose.UsePlainFace(-5, 5, 20, 20);

    std::array<fw::Point, 4> sizes{};
    for (int i = 0; i < 4; ++i) {
        CImgButton* button = ActionButton(i);
        HWND control = GetDlgItem(kActions[i].id);
        if ((m_buttonSet & kActionFlags[i]) == 0) {
            ::ShowWindow(control, SW_HIDE);
            continue;
        }
        button->SetupButton(control, SkinFilePath(kActions[i].image), -15, -25, 4);
        if (button->m_hWnd != nullptr && button->Width() == 0) button->UsePlainFace(-15, -25, 72, 24);
        button->ShowWindow(SW_SHOW);
        sizes[i] = fw::Point{button->Width(), button->Height()};
    }

    const auto places = PlaceMsgBoxButtons(W, H, m_buttonSet, sizes);
    for (int i = 0; i < 4; ++i) {
        if (!places[i].shown) continue;
        CImgButton* button = ActionButton(i);
        if (button->m_hWnd == nullptr) continue;
        button->SetWindowPos(nullptr, places[i].origin.x, places[i].origin.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CMsgBox::OnPaint() {
    fw::PaintDC dc(m_hWnd);
    const int W = m_client.right;
    const int H = m_client.bottom;
    fw::OffscreenBuffer buffer(dc, W, H);
    HDC mem = buffer.dc();
    const bool plain = fw::ImageWidth(m_background.get()) == 0;

    if (plain) {
        RECT all{0, 0, W, H};
        fw::GdiBrush face(::CreateSolidBrush(kPlainFace));
        ::FillRect(mem, &all, face.get());
        fw::GdiBrush edge(::CreateSolidBrush(kPlainEdge));
        ::FrameRect(mem, &all, edge.get());
        RECT band{0, 0, W, 28};
        ::FillRect(mem, &band, edge.get());
    }
    {
        Gdiplus::Graphics graphics(mem);
        if (!plain) {
            graphics.DrawImage(m_background.get(), 0, 0, 0, 0, W, H, Gdiplus::UnitPixel);
        }
        if (m_icon) {
            graphics.DrawImage(m_icon.get(), Gdiplus::Rect(m_iconRect.left, m_iconRect.top, m_iconRect.right,
                                                           m_iconRect.bottom));
        }
    }

    ::SetBkMode(mem, TRANSPARENT);
    {
        fw::GdiFont titleFont(get_font(L"Arial", 14, 400));
        fw::SelectionGuard selectTitle(mem, titleFont.get());
        ::SetTextColor(mem, RGB(255, 255, 255));
        ::TextOutW(mem, 40, 7, kProductTitle, static_cast<int>(wcslen(kProductTitle)));
    }
    {
        fw::GdiFont textFont(get_font(L"Arial", 16, 400));
        fw::SelectionGuard selectText(mem, textFont.get());
        SIZE extent{};
        ::GetTextExtentPoint32W(mem, m_text.c_str(), static_cast<int>(m_text.size()), &extent);
        const MsgBoxTextPlan plan = PlanMsgBoxText(W, H, extent.cx, extent.cy);
        RECT rc{plan.rect.left, plan.rect.top, plan.rect.right, plan.rect.bottom};
        ::SetTextColor(mem, RGB(0, 0, 0));
        const UINT format = plan.singleLine ? (DT_SINGLELINE | DT_VCENTER) : (DT_WORDBREAK | DT_VCENTER);
        ::DrawTextW(mem, m_text.c_str(), static_cast<int>(m_text.size()), &rc, format | DT_NOPREFIX);
    }
    buffer.CopyTo(dc, 0, 0);

    // The buttons draw over the face under them; the off-screen copy holds
    // exactly the pixels just put on screen, in client coordinates.
    CImgButton* buttons[] = {&m_btnClose, &m_btnOk, &m_btnCancel, &m_btnYes, &m_btnNo};
    for (CImgButton* button : buttons) {
        if (button->m_hWnd == nullptr || !button->IsWindowVisible()) continue;
        RECT rc = button->GetRectInParent();
        button->CaptureBackground(mem, rc.left, rc.top);
        button->InvalidateRect(nullptr, false);
    }
}

bool CMsgBox::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog();
        result = TRUE;
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_LBUTTONDOWN:
        // Dragging by any point of the face.
        ::PostMessageW(hWnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        result = 0;
        return true;
    case WM_COMMAND: {
        const cdv::BoxCommand command = cdv::ClassifyBoxCommand(
            wParam, lParam, {kMsgBoxClosed, kMsgBoxOkId, kMsgBoxYesId, kMsgBoxNoId, kMsgBoxCancelId});
        if (command == cdv::BoxCommand::NotOurs) break;
        if (command == cdv::BoxCommand::Close) EndDialog(LOWORD(wParam));
        result = 0;
        return true;
    }
    default:
        break;
    }
    return fw::ReflectNotifications(hWnd, msg, wParam, lParam, result);
}
