// The menu behind the menu button, the web pages, the update check one
// second after start and the start of the updater.
#include "app/main_dlg.h"

#include <shellapi.h>

#include <memory>

#include "app/custom_messages.h"
#include "app/startup.h"
#include "app/updater_command.h"
#include "app/web_links.h"
#include "platform/qzutility/qzutility.h"
#include "ui/controls/product_info.h"
#include "ui/controls/shell_open.h"
#include "ui/dialogs/about_box.h"

namespace {

enum : UINT {
    kMenuHome = 32771,
    kMenuAbout = 104,
    kMenuHelp = 32775,
    kMenuCheckUpdate = 32777,
    kMenuExit = 105,
};

struct MenuItem {
    UINT id;
    const wchar_t* text;
};

const MenuItem kMenuItems[] = {
    {kMenuHome, L"Home"},
    {kMenuAbout, L"About"},
    {kMenuHelp, L"Help"},
    {kMenuCheckUpdate, L"Check Update"},
    {kMenuExit, L"Exit"},
};

const POINT kMenuAnchor{884, 32};

UINT TrackMenu(HMENU menu, POINT screen, HWND owner) {
    return static_cast<UINT>(::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, screen.x, screen.y,
                                              0, owner, nullptr));
}

struct UpdateCheck {
    HWND window;
    std::wstring version;
    std::wstring manifest;
};

DWORD WINAPI UpdateCheckThreadProc(LPVOID param) {
    std::unique_ptr<UpdateCheck> check(static_cast<UpdateCheck*>(param));
    const int result = qzCheckUpdate(cdv::kUpdaterProductId, check->version.c_str(), check->manifest.c_str());
    if (result != 0) ::PostMessageW(check->window, kMsgUpdateAvailable, static_cast<WPARAM>(result), 0);
    return 0;
}

}  // namespace

std::wstring CMainDlg::UpdaterFolder() const {
    if (!m_settings.programFolder.empty()) return m_settings.programFolder;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD got = ::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (got == 0) return std::wstring();
        if (got < path.size()) {
            path.resize(got);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void CMainDlg::OnMenu() {
    HMENU menu = ::CreatePopupMenu();
    if (menu == nullptr) return;
    for (const MenuItem& item : kMenuItems) ::AppendMenuW(menu, MF_STRING, item.id, item.text);
    POINT anchor = kMenuAnchor;
    ClientToScreen(&anchor);
    const UINT chosen = m_settings.trackMenu ? m_settings.trackMenu(menu, anchor, m_hWnd) : TrackMenu(menu, anchor, m_hWnd);
    ::DestroyMenu(menu);

    switch (chosen) {
    case kMenuHome:
        cdv::OpenInShell(cdv::web::kHomePage);
        break;
    case kMenuAbout: {
        cdv::CAboutBox about;
        about.DoModal(m_hWnd);
        break;
    }
    case kMenuHelp:
        cdv::OpenInShell(cdv::web::kGuidePage);
        break;
    case kMenuCheckUpdate:
        LaunchUpdater();
        break;
    case kMenuExit:
        CloseWindow(0);
        break;
    default:
        break;
    }
}

void CMainDlg::StartUpdateCheck() {
    // The check may take its time; it holds its own copies and reports by
    // posting, so the window neither waits for it nor outlives its data.
    auto* check = new UpdateCheck{m_hWnd, ProductVersion(), m_settings.updateManifest};
    HANDLE thread = ::CreateThread(nullptr, 0, &UpdateCheckThreadProc, check, 0, nullptr);
    if (thread == nullptr) {
        delete check;
        return;
    }
    ::CloseHandle(thread);
}

void CMainDlg::LaunchUpdater() {
    cdv::UpdaterArguments args;
    args.productId = cdv::kUpdaterProductId;
    args.version = ProductVersion();
    args.windowTitle = kProductTitle;
    args.windowClass = cdv::kMainWindowClass;
    args.instanceId = kInstanceMutexName;
    const std::wstring parameters = cdv::UpdaterCommandLine(args);
    const std::wstring updater = UpdaterFolder() + L"\\Uprovia.exe";
    ::ShellExecuteW(m_hWnd, L"open", updater.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}
