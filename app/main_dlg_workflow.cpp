// The main window's workflow: initialisation, the acquisition and its
// outcome, the load worker, pause, continue and stop, Back, Refresh, timers
// and closing.
#include "app/main_dlg.h"

#include "app/acquisition_plan.h"
#include "app/custom_messages.h"
#include "contacts/file_system.h"
#include "contacts/loading.h"
#include "platform/codepage/codepage.h"
#include "platform/siftdb/siftdb_library_win.h"
#include "recovery/sqlite_parse.h"
#include "ui/controls/loading_gif.h"
#include "ui/dialogs/msg_box.h"

namespace {

constexpr UINT_PTR kUpdateCheckTimerId = 3;
constexpr UINT kUpdateCheckDelayMs = 1000;

std::u16string Wide(const std::string& ansi) { return cdv::AnsiToUtf16(ansi); }

void DeleteFileAnsi(const std::string& path) {
    const std::u16string wide = Wide(path);
    ::DeleteFileW(reinterpret_cast<const wchar_t*>(wide.c_str()));
}

}  // namespace

std::string CMainDlg::RelayFolder() const {
    if (m_settings.programFolder.empty()) return cdv::ProgramFolderAnsi();
    return cdv::Utf16ToAnsi(std::u16string(m_settings.programFolder.begin(), m_settings.programFolder.end()));
}

void CMainDlg::OnInitDialog() {
    ShapeWindow();
    LoadPagePictures();
    CenterWindow();
    CreateControls();

    PrepareWorkingFolder();
    if (!m_settings.updateManifest.empty()) SetTimer(kUpdateCheckTimerId, kUpdateCheckDelayMs);
    m_hPauseEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_hCancelEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    StartAcquisition();
}

void CMainDlg::PrepareWorkingFolder() {
    const cdv::WorkingPaths paths = cdv::WorkingPathsFor(RelayFolder());
    cdv::CreateFolder(Wide(paths.folder));
    m_contactsCopyPath = paths.contactsCopy;
    m_messagesCopyPath = paths.messagesCopy;
    DeleteCopies();
}

void CMainDlg::DeleteCopies() {
    DeleteFileAnsi(m_contactsCopyPath);
    DeleteFileAnsi(m_messagesCopyPath);
}

bool CMainDlg::StartWorker(std::function<void()> work) {
    if (!m_worker.Start(std::move(work))) return false;
    m_hWorker = m_worker.Handle();
    return true;
}

void CMainDlg::FinishWorker() {
    // The worker posted its message as its last step; this wait is short.
    m_worker.Join();
    m_hWorker = nullptr;
}

void CMainDlg::StartAcquisition() {
    cdv::AcquisitionJob job;
    job.programFolder = RelayFolder();
    job.contactsCopy = m_contactsCopyPath;
    job.timing = m_settings.acquisition;
    job.cancel = m_hCancelEvent;
    HWND window = m_hWnd;
    StartWorker([job, window] {
        cdv::RunAcquisition(job);
        ::PostMessageW(window, kMsgAcquisitionFinished, 1, 0);
    });
}

void CMainDlg::OnAcquisitionFinished(WPARAM wParam) {
    FinishWorker();
    if (m_frameTimerOn) {
        KillTimer(cdv::kLoadingGifTimerId);
        m_frameTimerOn = 0;
    }
    m_frameIndex = 0;
    if (wParam != 1) return;

    if (!cdv::FileExists(Wide(m_contactsCopyPath)) && !cdv::FileExists(Wide(m_messagesCopyPath))) {
        m_loadState = 0;
        m_btnRefresh.ShowWindow(SW_SHOW);
        m_helpLink.ShowWindow(SW_SHOW);
        Invalidate(false);
        return;
    }

    {
        SqliteParse engine(m_contactsCopyPath, m_messagesCopyPath);
        engine.startParse(ePaserContacts);
        m_deletedContactsText = engine.get_contacts_mem();
    }

    m_loadState = 1;
    m_page = 2;
    m_tree.ShowWindow(SW_SHOW);
    m_progress.ShowWindow(SW_SHOW);
    m_btnBack.ShowWindow(SW_HIDE);
    m_animation->ShowWindow(SW_SHOW);
    m_animation->Start();
    Invalidate(false);
    m_stopRequested = 0;
    m_pause.Run();
    StartLoad();
}

void CMainDlg::StartLoad() {
    if (!m_reader) {
        m_reader = m_settings.makeReader ? m_settings.makeReader() : std::make_unique<cdv::SiftDbLibraryReader>();
    }
    HWND window = m_hWnd;
    HWND progress = m_progress;
    HWND pause = m_btnPause;
    HWND stop = m_btnStop;
    StartWorker([this, window, progress, pause, stop] {
        cdv::WindowWorkerControl control(
            m_pause, m_stopRequested, progress,
            [pause, stop] {
                ::ShowWindow(pause, SW_SHOW);
                ::ShowWindow(stop, SW_SHOW);
            },
            [this](const std::u16string& label) {
                m_tree.SetCategory(reinterpret_cast<const wchar_t*>(label.c_str()), m_contactsItem, 1);
            });
        try {
            cdv::LoadContacts(m_contactsCopyPath, *m_reader, m_loaded, control);
        } catch (...) {
            // Whatever was loaded stays; the window still reaches its results.
        }
        ::PostMessageW(window, kMsgLoadFinished, 0, 0);
    });
}

void CMainDlg::OnLoadFinished() {
    m_animation->Stop();
    m_animation->ShowWindow(SW_HIDE);
    m_btnPause.ShowWindow(SW_HIDE);
    m_btnContinue.ShowWindow(SW_HIDE);
    m_btnStop.ShowWindow(SW_HIDE);
    m_progress.ShowWindow(SW_HIDE);
    m_btnBack.ShowWindow(SW_SHOW);
    m_btnRecover.ShowWindow(SW_SHOW);
    FinishWorker();

    SetTreeCheck(m_rootItem, 2);
    SetTreeCheck(m_contactsItem, 2);
    // Selecting an item that is already selected reports no change, so the
    // list would stay empty: fill it directly then.
    if (m_tree.GetNextItem(nullptr, TVGN_CARET) == m_contactsItem) {
        OnTreeSelectionChanged();
    } else {
        m_tree.SelectItem(m_contactsItem);
    }
}

void CMainDlg::OnPause() {
    m_pause.Pause();
    m_animation->Stop();
    m_btnPause.ShowWindow(SW_HIDE);
    m_btnContinue.ShowWindow(SW_SHOW);
}

void CMainDlg::OnContinue() {
    m_pause.Run();
    m_animation->Start();
    m_btnContinue.ShowWindow(SW_HIDE);
    m_btnPause.ShowWindow(SW_SHOW);
}

void CMainDlg::OnStop() {
    // Wakes a paused worker, which then sees the request and ends its run.
    m_stopRequested = 1;
    m_pause.Run();
}

void CMainDlg::OnBack() {
    CMsgBox box;
    const INT_PTR answer = box.ShowMessage(kMsgBoxWarning, kMsgBoxYes | kMsgBoxNo,
                                           L"Are you sure to go back to reload the data from Android phone?", m_hWnd);
    if (answer != kMsgBoxYesId) return;

    ClearResults();
    m_tree.SetCategory(L"Contacts", m_contactsItem, 0);
    for (HTREEITEM child = m_tree.GetNextItem(m_rootItem, TVGN_CHILD); child != nullptr;
         child = m_tree.GetNextItem(child, TVGN_NEXT)) {
        SetTreeCheck(child, 1);
    }
    m_tree.SelectItem(m_rootItem);
    m_list->ShowWindow(SW_HIDE);
    m_tree.ShowWindow(SW_HIDE);
    m_btnRecover.ShowWindow(SW_HIDE);
    m_btnBack.ShowWindow(SW_HIDE);

    m_totalCount = 0;
    m_tickedCount = 0;
    m_doneCount = 0;
    m_progress.SetPos(0);

    m_page = 1;
    m_loadState = -1;
    m_frameTimerOn = 0;
    Invalidate(false);
    UpdateWindow();

    DeleteCopies();
    StartAcquisition();
}

void CMainDlg::OnRefresh() {
    m_btnRefresh.ShowWindow(SW_HIDE);
    m_helpLink.ShowWindow(SW_HIDE);
    m_frameTimerOn = 0;
    m_loadState = -1;
    Invalidate(false);
    StartAcquisition();
}

void CMainDlg::OnTimer(UINT_PTR id) {
    if (id == cdv::kLoadingGifTimerId) {
        cdv::StepLoadingGif(m_hWnd, cdv::LoadingGifState{m_loadingImage.get(), m_frameTimerOn, m_frameIndex,
                                                          m_statusRect});
    } else if (id == kUpdateCheckTimerId) {
        KillTimer(kUpdateCheckTimerId);
        StartUpdateCheck();
    }
}

void CMainDlg::ClearResults() {
    ClearList();
    if (m_contactCard) {
        if (m_contactCard->IsWindow()) m_contactCard->DestroyWindow();
        m_contactCard.reset();
    }
    m_loaded.Clear();
}

void CMainDlg::CloseWindow(INT_PTR code) {
    if (m_closing) return;
    m_closing = true;
    // A running worker reads the records, the controls and the pause event:
    // ask it to stop, wake it, and wait for it before any of them goes.
    m_stopRequested = 1;
    if (m_hPauseEvent != nullptr) m_pause.Run();
    if (m_hCancelEvent != nullptr) ::SetEvent(m_hCancelEvent);
    FinishWorker();

    if (m_hPauseEvent != nullptr) {
        ::CloseHandle(m_hPauseEvent);
        m_hPauseEvent = nullptr;
    }
    ClearResults();
    if (m_list && m_list->IsWindow()) m_list->DestroyWindow();
    m_list.reset();
    DeleteCopies();
    if (m_frameTimerOn) {
        KillTimer(cdv::kLoadingGifTimerId);
        m_frameTimerOn = 0;
    }
    EndDialog(code);
}
