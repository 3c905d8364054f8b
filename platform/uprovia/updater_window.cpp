#include "platform/uprovia/updater_window.h"

#include <cwchar>
#include <memory>

#include "app/web_links.h"
#include "platform/qzutility/qzutility.h"
#include "platform/tallowkit/tallowkit.h"

namespace uprovia {
namespace {

// Background check -> window: lParam a heap std::wstring (the latest version,
// empty when the manifest could not be read), owned by the receiver.
const UINT kMsgCheckDone = WM_APP + 1;

constexpr int kBandHeight = 56;
constexpr COLORREF kBandStart = RGB(24, 74, 140);
constexpr COLORREF kBandEnd = RGB(46, 128, 204);
constexpr COLORREF kBorder = RGB(150, 168, 190);
constexpr int kLinkId = 100;

struct CheckJob {
    HWND window;
    std::wstring productId;
    std::wstring manifestUrl;
};

DWORD WINAPI CheckThreadProc(LPVOID param) {
    std::unique_ptr<CheckJob> job(static_cast<CheckJob*>(param));
    wchar_t latest[64] = {};
    const bool read = qzGetLatestVersionW(job->productId.c_str(), job->manifestUrl.c_str(), latest, 64) != 0;
    auto* text = new std::wstring(read ? latest : L"");
    if (!::PostMessageW(job->window, kMsgCheckDone, 0, reinterpret_cast<LPARAM>(text))) delete text;
    return 0;
}

void TextAt(HDC dc, int x, int y, const std::wstring& text) {
    ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

fw::WindowClassInfo CUpdaterWindow::GetWndClassInfo() {
    fw::WindowClassInfo info;
    info.name = L"MarlowenUprovia";
    info.background = nullptr;
    return info;
}

CUpdaterWindow::~CUpdaterWindow() {
    if (IsWindow()) DestroyWindow();
}

HWND CUpdaterWindow::Open(const UpdaterRequest& request, const std::wstring& manifestUrl) {
    m_product = request.windowTitle.empty() ? request.productId : request.windowTitle;
    if (m_product.empty()) m_product = L"Marlowen Cardivane";
    m_installed = request.version;
    m_version = L"Installed version: " + (request.version.empty() ? std::wstring(L"unknown") : request.version);
    m_status = L"Looking for a newer version\u2026";

    const RECT place{0, 0, kWidth, kHeight};
    if (Create(nullptr, place, (m_product + L" Update").c_str(), WS_POPUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT) ==
        nullptr) {
        return nullptr;
    }
    CenterWindow();
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
    StartCheck(request.productId.empty() ? L"Cardivane" : request.productId, manifestUrl);
    return m_hWnd;
}

void CUpdaterWindow::StartCheck(const std::wstring& productId, const std::wstring& manifestUrl) {
    auto* job = new CheckJob{m_hWnd, productId, manifestUrl};
    HANDLE thread = ::CreateThread(nullptr, 0, &CheckThreadProc, job, 0, nullptr);
    if (thread == nullptr) {
        delete job;
        m_checkDone = true;
        m_status = UpdateStatusText(m_installed, L"", false);
        return;
    }
    ::CloseHandle(thread);
}

void CUpdaterWindow::OnCreate() {
    SetWindowRgn(::CreateRoundRectRgn(0, 0, kWidth + 1, kHeight + 1, 7, 7), false);
    m_titleFont.reset(get_font(L"Tahoma", 20, 700));
    m_textFont.reset(get_font(L"Tahoma", 14, 400));
    m_linkFont.reset(get_font(L"Arial", 16, 400));

    HWND link = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 24, 170, 300, 24, m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLinkId)), nullptr, nullptr);
    if (m_link.SubclassWindow(link)) {
        m_link.SetLinkFont(m_linkFont.get());
        m_link.SetLabel(L"Open the download page");
        m_link.SetHyperLink(cdv::web::kDownloadPage);
        SIZE ideal{};
        m_link.GetIdealSize(ideal);
        // Room for the last letter's overhang; the label is measured again at that size.
        m_link.SetWindowPos(nullptr, 24, 170, ideal.cx + 8, ideal.cy + 2, SWP_NOZORDER | SWP_NOACTIVATE);
        m_link.SetLabel(L"Open the download page");
    }
    m_close = ::CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                kWidth - 104, kHeight - 44, 84, 26, m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), nullptr, nullptr);
    ::SendMessageW(m_close, WM_SETFONT, reinterpret_cast<WPARAM>(m_textFont.get()), FALSE);
    ::SetFocus(m_close);
}

void CUpdaterWindow::OnPaint() {
    fw::PaintDC paint(m_hWnd);
    fw::OffscreenBuffer buffer(paint, kWidth, kHeight);
    if (!buffer.valid()) return;
    HDC dc = buffer.dc();
    ::PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
    const RECT band{0, 0, kWidth, kBandHeight};
    gradient_fillrect(dc, &band, kBandStart, kBandEnd, 0);
    {
        fw::GdiBrush border(::CreateSolidBrush(kBorder));
        const RECT all{0, 0, kWidth, kHeight};
        ::FrameRect(dc, &all, border.get());
    }
    ::SetBkMode(dc, TRANSPARENT);
    {
        fw::SelectionGuard font(dc, m_titleFont.get());
        ::SetTextColor(dc, RGB(255, 255, 255));
        TextAt(dc, 24, 16, m_product + L" Update");
    }
    fw::SelectionGuard font(dc, m_textFont.get());
    ::SetTextColor(dc, RGB(30, 30, 30));
    TextAt(dc, 24, 78, m_product);
    TextAt(dc, 24, 100, m_version);
    ::SetTextColor(dc, m_checkDone ? RGB(30, 30, 30) : RGB(110, 110, 110));
    RECT status{24, 128, kWidth - 24, 158};
    ::DrawTextW(dc, m_status.c_str(), static_cast<int>(m_status.size()), &status, DT_WORDBREAK | DT_END_ELLIPSIS);
    buffer.CopyTo(paint, 0, 0);
}

bool CUpdaterWindow::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        result = 0;
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_NCHITTEST:
        // Dragged by any free spot.
        result = DefWindowProc(msg, wParam, lParam);
        if (result == HTCLIENT) result = HTCAPTION;
        return true;
    case WM_CTLCOLORSTATIC:
        result = reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        return true;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCloseId || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow();
            result = 0;
            return true;
        }
        return false;
    case kMsgCheckDone: {
        std::unique_ptr<std::wstring> latest(reinterpret_cast<std::wstring*>(lParam));
        m_checkDone = true;
        m_status = UpdateStatusText(m_installed, latest ? *latest : std::wstring(), latest && !latest->empty());
        Invalidate(false);
        result = 0;
        return true;
    }
    default:
        return fw::ReflectNotifications(hWnd, msg, wParam, lParam, result);
    }
}

void CUpdaterWindow::OnFinalMessage(HWND) { ::PostQuitMessage(0); }

int RunUpdater(const std::vector<std::wstring>& args, const std::wstring& manifestUrl) {
    UpdaterRequest request;
    if (!ParseUpdaterArgs(args, &request)) request = UpdaterRequest{L"Cardivane", L"", L"", L"", L""};

    const std::wstring mutexName =
        L"MarlowenUprovia-" + (request.instanceId.empty() ? std::wstring(L"any") : request.instanceId);
    HANDLE single = ::CreateMutexW(nullptr, TRUE, mutexName.c_str());
    if (single != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND open = ::FindWindowW(L"MarlowenUprovia", nullptr)) {
            ::ShowWindow(open, SW_RESTORE);
            ::SetForegroundWindow(open);
        }
        ::CloseHandle(single);
        return 0;
    }

    CUpdaterWindow window;
    if (window.Open(request, manifestUrl) == nullptr) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(window.m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (single != nullptr) ::CloseHandle(single);
    return 0;
}

}  // namespace uprovia
