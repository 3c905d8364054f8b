#pragma once
// CMainDlg: the program's main window, a frameless skinned dialog of fixed
// size (template 129) that runs the whole workflow: reading the phone, the
// failure page, loading the records into the results page, pause, continue
// and stop, going back, recovering ticked records to disk, the menu and the
// update check. Its handlers live in the main_dlg_*.cpp files by topic.

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "app/acquisition_win.h"
#include "app/folder_picker_win.h"
#include "app/window_worker_control.h"
#include "app/worker_thread_win.h"
#include "contacts/contacts_export.h"
#include "contacts/loaded_contacts.h"
#include "ui/controls/animate_img.h"
#include "ui/controls/img_button.h"
#include "ui/controls/list_view_check.h"
#include "ui/controls/my_hyperlink.h"
#include "ui/controls/tree_view_ex.h"
#include "ui/dialogs/contact_info_board.h"
#include "ui/framework/controls.h"
#include "ui/framework/dialog_impl.h"
#include "ui/framework/gdiplus_support.h"

namespace cdv {
class ContactsReader;
}

// What a test of the window changes; the defaults are the shipped program's.
struct MainWindowSettings {
    // Folder of droidgate.exe and Uprovia.exe, without a trailing backslash;
    // empty for the running program's own folder.
    std::wstring programFolder;
    cdv::AcquisitionTiming acquisition;
    // Empty: no update check.
    std::wstring updateManifest;
    cdv::FolderPicker pickFolder = cdv::ShellFolderPicker;
    // Shows the pop-up menu and returns the chosen command (0 for none).
    std::function<UINT(HMENU menu, POINT screen, HWND owner)> trackMenu;
    // Makes the reader of the copy; empty for siftdb.dll beside the program.
    std::function<std::unique_ptr<cdv::ContactsReader>()> makeReader;

    static MainWindowSettings Shipped();
};

class CMainDlg : public fw::CDialogImpl<CMainDlg>, public cdv::ContactCardOwner {
public:
    enum { IDD = 129 };

    static constexpr int kWidth = 984;
    static constexpr int kHeight = 674;

    explicit CMainDlg(MainWindowSettings settings = MainWindowSettings::Shipped());
    ~CMainDlg() override;

    bool ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    const cdv::ReaderLists& CardLists() const override { return m_loaded.lists; }

    // Ends the modal loop with `code` (1000 from the close button, 0 from the
    // close request and "Exit") once any running worker has stopped.
    void CloseWindow(INT_PTR code);

    // State (UI thread; workers read the pause event and the stop flag).
    int m_page = 1;        // 1 device page, 2 results page
    int m_loadState = -1;  // -1 acquiring, 0 failed, 1 loaded
    cdv::PauseSwitch m_pause;                // the pause event and its mirror for the workers
    HANDLE& m_hPauseEvent = m_pause.event;   // manual reset; signalled = run
    std::atomic<int> m_stopRequested{0};
    HANDLE m_hWorker = nullptr;              // the running acquisition, load or recovery worker
    int m_frameTimerOn = 0;                  // timer 2 (loading picture frames) is armed
    int m_frameIndex = 0;
    std::string m_contactsCopyPath;
    std::string m_messagesCopyPath;
    cdv::LoadedContacts m_loaded;            // reader lists, carved records and the counters
    std::string& m_deletedContactsText = m_loaded.carvedText;
    int& m_totalCount = m_loaded.totalCount;
    int& m_doneCount = m_loaded.processedCount;
    int m_tickedCount = 0;
    std::wstring m_outputFolder;
    HTREEITEM m_currentItem = nullptr;
    HTREEITEM m_rootItem = nullptr;
    HTREEITEM m_contactsItem = nullptr;
    cdv::ExportResult m_lastExport;          // written by the recovery worker before it reports

    // Pictures.
    fw::ImagePtr m_bgDevicePage;
    fw::ImagePtr m_bgResultsPage;
    fw::ImagePtr m_stepOneImage;
    fw::ImagePtr m_loadingImage;
    fw::ImagePtr m_loadFailImage;
    fw::ImagePtr m_contactsIcon;
    RECT m_statusRect{120, 230, 905, 561};

    // Controls.
    CImgButton m_btnClose;
    CImgButton m_btnMinimize;
    CImgButton m_btnMenu;
    CImgButton m_btnHelp;
    CImgButton m_btnHome;
    CImgButton m_btnBack;
    CImgButton m_btnPause;
    CImgButton m_btnContinue;
    CImgButton m_btnStop;
    CImgButton m_btnRecover;
    CImgButton m_btnRefresh;
    CTreeViewEx1 m_tree;
    std::unique_ptr<CListViewCheck1> m_list;
    fw::CProgressBarCtrl m_progress;
    std::unique_ptr<cdv::CAnimateImg> m_animation;
    cdv::CMyHyperLink m_helpLink;
    std::unique_ptr<cdv::CContactInfoBoard> m_contactCard;

    const MainWindowSettings& Settings() const { return m_settings; }

private:
    // Layout (main_dlg_layout.cpp).
    void ShapeWindow();
    void LoadPagePictures();
    void CreateControls();
    void CreateTree();
    void CreateList();
    void CreateAnimation();
    void CreateHelpLink();

    // Paint (main_dlg_paint.cpp).
    void OnPaint();
    void PaintFailureTexts(HDC dc);
    void CaptureButtonBackgrounds(HDC source);

    // Workflow (main_dlg_workflow.cpp).
    void OnInitDialog();
    void PrepareWorkingFolder();
    void DeleteCopies();
    void StartAcquisition();
    void OnAcquisitionFinished(WPARAM wParam);
    void StartLoad();
    void OnLoadFinished();
    void OnPause();
    void OnContinue();
    void OnStop();
    void OnBack();
    void OnRefresh();
    void OnTimer(UINT_PTR id);
    void ClearResults();
    bool StartWorker(std::function<void()> work);
    void FinishWorker();
    std::string RelayFolder() const;

    // Results and ticks (main_dlg_results.cpp).
    bool OnTreeSelectionChanged();
    void FillContactsList();
    void ClearList();
    void OnTreeItemTick(HTREEITEM item, LPARAM ticked);
    void OnRowTick(int row, LPARAM ticked);
    void OnListClick();
    void SetTreeCheck(HTREEITEM item, int state);
    cdv::ContactRecord* RowRecord(int row) const;

    // Recover (main_dlg_recover.cpp).
    void OnRecover();
    void OnRecoverFinished();
    int CountTickedRecords() const;

    // Menu, web pages and updates (main_dlg_menu.cpp).
    void OnMenu();
    void StartUpdateCheck();
    void LaunchUpdater();
    std::wstring UpdaterFolder() const;

    MainWindowSettings m_settings;
    cdv::WorkerThread m_worker;
    HANDLE m_hCancelEvent = nullptr;  // ends a running acquisition when the window closes
    std::unique_ptr<cdv::ContactsReader> m_reader;
    bool m_closing = false;
};
