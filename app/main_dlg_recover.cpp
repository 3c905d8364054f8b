// Recover: the ticked records written to a new time-stamped folder under a
// folder the user picks, by the recovery worker, with pause and stop.
#include "app/main_dlg.h"

#include <cwchar>

#include "app/custom_messages.h"
#include "contacts/export_paths.h"
#include "contacts/local_time.h"
#include "app/window_worker_control.h"
#include "ui/dialogs/msg_box.h"

int CMainDlg::CountTickedRecords() const {
    int count = 0;
    const LRESULT items = m_tree.SendMessage(TVM_GETCOUNT);
    LRESULT walked = 0;
    for (HTREEITEM child = m_tree.GetNextItem(m_rootItem, TVGN_CHILD); child != nullptr && walked <= items;
         child = m_tree.GetNextItem(child, TVGN_NEXT), ++walked) {
        const TreeItemData* data = m_tree.ItemRecord(child);
        if (data == nullptr || data->hasData == 0) continue;
        if (child == m_contactsItem) count += cdv::CountTickedForRecover(m_loaded);
    }
    return count;
}

void CMainDlg::OnRecover() {
    const int ticked = CountTickedRecords();
    if (ticked == 0) {
        CMsgBox box;
        box.ShowMessage(kMsgBoxWarning, kMsgBoxOk, L"Please select the file(s) you want to recover.", m_hWnd);
        return;
    }
    const std::optional<std::wstring> picked = m_settings.pickFolder(m_hWnd);
    if (!picked) return;

    m_stopRequested = 0;
    m_outputFolder = *picked;
    if (m_outputFolder.empty()) {
        CMsgBox box;
        box.ShowMessage(kMsgBoxWarning, kMsgBoxOk, L"Please select the directory to save the files recovered.",
                        m_hWnd);
        return;
    }
    const std::u16string folder = cdv::CreateRecoverFolder(
        std::u16string(m_outputFolder.begin(), m_outputFolder.end()), cdv::LocalTimeNow());
    m_outputFolder.assign(folder.begin(), folder.end());

    m_tickedCount = ticked;
    m_doneCount = 0;
    m_progress.SetPos(0);
    m_progress.ShowWindow(SW_SHOW);
    m_btnRecover.ShowWindow(SW_HIDE);
    m_btnBack.ShowWindow(SW_HIDE);
    m_btnPause.ShowWindow(SW_SHOW);
    m_btnStop.ShowWindow(SW_SHOW);
    m_animation->ShowWindow(SW_SHOW);
    m_animation->Start();
    m_pause.Run();

    // What the export reads of the tree is taken now, on the tree's thread.
    const TreeItemData* contacts = m_tree.ItemRecord(m_contactsItem);
    const bool exportContacts = contacts != nullptr && contacts->hasData != 0;
    cdv::ExportRequest request;
    request.exportFolder = folder;
    const std::wstring label = m_tree.GetItemText(m_contactsItem);
    request.contactsLabel.assign(label.begin(), label.end());
    request.everyRecordTicked = m_tree.StateIndex(m_contactsItem) == 2;
    request.selectedCount = m_tickedCount;

    m_lastExport = cdv::ExportResult{};
    HWND window = m_hWnd;
    HWND progress = m_progress;
    StartWorker([this, window, progress, request, exportContacts] {
        if (exportContacts) {
            cdv::WindowWorkerControl control(m_pause, m_stopRequested, progress);
            try {
                m_lastExport = cdv::ExportContacts(request, m_loaded, control);
            } catch (...) {
                m_lastExport.status = cdv::ExportStatus::WriteFailed;
            }
        }
        ::PostMessageW(window, kMsgRecoverFinished, 0, 0);
    });
}

void CMainDlg::OnRecoverFinished() {
    m_progress.SetPos(100);
    m_progress.ShowWindow(SW_HIDE);
    m_btnPause.ShowWindow(SW_HIDE);
    m_btnContinue.ShowWindow(SW_HIDE);
    m_btnStop.ShowWindow(SW_HIDE);
    m_animation->Stop();
    m_animation->ShowWindow(SW_HIDE);
    m_btnRecover.ShowWindow(SW_SHOW);
    FinishWorker();

    CMsgBox box;
    if (m_lastExport.status == cdv::ExportStatus::WriteFailed) {
        // Reporting success here would hide that the file is missing or short.
        const std::wstring path(m_lastExport.filePath.begin(), m_lastExport.filePath.end());
        box.ShowMessage(kMsgBoxError, kMsgBoxOk, L"Recovering failed: could not write " + path + L".", m_hWnd);
        return;
    }
    wchar_t text[128];
    std::swprintf(text, 128, L"Recovering finished, %d files have been recovered.", m_doneCount);
    box.ShowMessage(kMsgBoxSuccess, kMsgBoxOk, text, m_hWnd);
}
