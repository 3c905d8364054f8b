// The main window's paint: page background, step picture, the loading or
// failure picture with the failure hints, composed off-screen and copied once.
#include "app/main_dlg.h"

#include <cwchar>

#include "ui/controls/font_pool.h"
#include "ui/controls/loading_gif.h"
#include "ui/framework/gdi.h"

namespace {

struct FailureLine {
    int x;
    int y;
    COLORREF colour;
    unsigned fontKey;
    const wchar_t* text;
};

const FailureLine kFailureLines[] = {
    {100, 570, RGB(189, 58, 6), 0x0200, L"Cannot load data from Android Phone, please : "},
    {120, 590, RGB(10, 0, 0), 0x0100, L"1. Be sure you've installed the drive of your device"},
    {120, 610, RGB(10, 0, 0), 0x0100,
     L"2. Make sure device enables USB Debugging(Setting >> Applications >> Development >> USB debugging)."},
    {120, 630, RGB(10, 0, 0), 0x0100, L"3. Make sure you've got ROOT access on your Android phone."},
};

}  // namespace

void CMainDlg::PaintFailureTexts(HDC dc) {
    const COLORREF previousColour = ::GetTextColor(dc);
    for (const FailureLine& line : kFailureLines) {
        fw::SelectionGuard font(dc, TkFontPool::Instance().FontByKey(line.fontKey));
        ::SetTextColor(dc, line.colour);
        ::TextOutW(dc, line.x, line.y, line.text, static_cast<int>(std::wcslen(line.text)));
    }
    ::SetTextColor(dc, previousColour);
}

void CMainDlg::CaptureButtonBackgrounds(HDC source) {
    CImgButton* always[] = {&m_btnMinimize, &m_btnClose, &m_btnMenu, &m_btnHome, &m_btnHelp, &m_btnRefresh};
    CImgButton* resultsPage[] = {&m_btnBack, &m_btnRecover, &m_btnPause, &m_btnContinue, &m_btnStop};
    auto capture = [&](CImgButton* button) {
        if (button->m_hWnd == nullptr) return;
        RECT rc = button->GetRectInParent();
        button->CaptureBackground(source, rc.left, rc.top);
        button->InvalidateRect(nullptr, false);
    };
    for (CImgButton* button : always) capture(button);
    if (m_page == 2) {
        for (CImgButton* button : resultsPage) capture(button);
    }
}

void CMainDlg::OnPaint() {
    fw::PaintDC dc(m_hWnd);
    fw::OffscreenBuffer buffer(dc, kWidth, kHeight);
    {
        Gdiplus::Graphics graphics(buffer.dc());
        if (m_page == 1) {
            graphics.DrawImage(m_bgDevicePage.get(), 0, 0);
            graphics.DrawImage(m_stepOneImage.get(), 1, 74);
            const Gdiplus::Rect status(m_statusRect.left, m_statusRect.top, m_statusRect.right - m_statusRect.left,
                                       m_statusRect.bottom - m_statusRect.top);
            if (m_loadState == -1) {
                graphics.DrawImage(m_loadingImage.get(), status);
                if (!m_frameTimerOn) {
                    m_frameTimerOn = 1;
                    SetTimer(cdv::kLoadingGifTimerId, cdv::kLoadingGifFirstTickMs);
                }
            } else if (m_loadState == 0) {
                graphics.DrawImage(m_loadFailImage.get(), status);
            }
        } else {
            graphics.DrawImage(m_bgResultsPage.get(), 0, 0);
        }
    }
    if (m_page == 1 && m_loadState == 0) PaintFailureTexts(buffer.dc());
    buffer.CopyTo(dc, 0, 0);
    // The off-screen copy holds exactly the background just put on screen,
    // without the buttons, in client coordinates.
    CaptureButtonBackgrounds(buffer.dc());
}
