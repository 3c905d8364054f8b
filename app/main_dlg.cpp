// The main window's message dispatch: one table of messages, commands and
// notifications, each handed to its handler.
#include "app/main_dlg.h"

#include <dbt.h>

#include "app/custom_messages.h"
#include "app/web_links.h"
#include "contacts/contacts_reader.h"
#include "ui/controls/shell_open.h"
#include "ui/controls/tick_messages.h"

namespace {

enum : int {
    kCmdClose = 1000,
    kCmdMinimize = 1001,
    kCmdPause = 1006,
    kCmdStop = 1007,
    kCmdContinue = 1008,
    kCmdRecover = 1010,
    kCmdMenu = 1024,
    kCmdHome = 1029,
    kCmdSupport = 1031,
    kCmdBack = 1032,
    kCmdRefresh = 1033,
};

constexpr UINT_PTR kNotifyTree = 1003;
constexpr UINT_PTR kNotifyList = 1004;

}  // namespace

MainWindowSettings MainWindowSettings::Shipped() {
    MainWindowSettings settings;
    settings.updateManifest = cdv::web::kUpdateManifest;
    return settings;
}

CMainDlg::CMainDlg(MainWindowSettings settings) : m_settings(std::move(settings)) {}

CMainDlg::~CMainDlg() {
    // A window destroyed without CloseWindow (a failed start) still stops its worker first.
    m_stopRequested = 1;
    if (m_hPauseEvent != nullptr) m_pause.Run();
    if (m_hCancelEvent != nullptr) ::SetEvent(m_hCancelEvent);
    m_worker.Join();
    if (m_hPauseEvent != nullptr) ::CloseHandle(m_hPauseEvent);
    if (m_hCancelEvent != nullptr) ::CloseHandle(m_hCancelEvent);
}

bool CMainDlg::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog();
        result = 0;  // no default focus
        return true;
    case WM_CLOSE:
        CloseWindow(0);
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
        // Drag the window by any free spot.
        ::PostMessageW(hWnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        result = 0;
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case kMsgLoadFinished:
        if (!m_closing) OnLoadFinished();
        result = 0;
        return true;
    case kMsgRecoverFinished:
        if (!m_closing) OnRecoverFinished();
        result = 0;
        return true;
    case kMsgUpdateAvailable:
        if (wParam != 0 && !m_closing) LaunchUpdater();
        result = 0;
        return true;
    case kMsgRowTickChanged:
        OnRowTick(static_cast<int>(wParam), lParam);
        result = 0;
        return true;
    case kMsgTreeItemTickChanged:
        OnTreeItemTick(reinterpret_cast<HTREEITEM>(wParam), lParam);
        result = 0;
        return true;
    case kMsgAcquisitionFinished:
        if (!m_closing) OnAcquisitionFinished(wParam);
        result = 0;
        return true;
    case WM_TIMER:
        OnTimer(wParam);
        result = 0;
        return true;
    case WM_DEVICECHANGE:
        result = TRUE;
        return true;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            // Enter and Escape never close the window.
            if (lParam == 0) {
                result = 0;
                return true;
            }
            break;
        case kCmdClose:
            CloseWindow(1000);
            result = 0;
            return true;
        case kCmdMinimize:
            SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
            result = 0;
            return true;
        case kCmdMenu:
            OnMenu();
            result = 0;
            return true;
        case kCmdPause:
            if (m_hWorker != nullptr) OnPause();
            result = 0;
            return true;
        case kCmdContinue:
            if (m_hWorker != nullptr) OnContinue();
            result = 0;
            return true;
        case kCmdStop:
            OnStop();
            result = 0;
            return true;
        case kCmdRecover:
            OnRecover();
            result = 0;
            return true;
        case kCmdBack:
            OnBack();
            result = 0;
            return true;
        case kCmdRefresh:
            OnRefresh();
            result = 0;
            return true;
        case kCmdHome:
            cdv::OpenInShell(cdv::web::kHomePage);
            result = 0;
            return true;
        case kCmdSupport:
            cdv::OpenInShell(cdv::web::kSupportPage);
            result = 0;
            return true;
        default:
            break;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header == nullptr) break;
        if (header->idFrom == kNotifyTree && (header->code == TVN_SELCHANGEDW || header->code == TVN_SELCHANGEDA)) {
            if (OnTreeSelectionChanged()) {
                result = 0;
                return true;
            }
        } else if (header->idFrom == kNotifyList && header->code == NM_CLICK) {
            OnListClick();
            result = 0;
            return true;
        }
        break;
    }
    default:
        break;
    }
    return fw::ReflectNotifications(hWnd, msg, wParam, lParam, result);
}
