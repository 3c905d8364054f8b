// Process entry: prepares COM, the common controls, the module and GDI+,
// records the version, refuses a second copy, fixes the image folder and runs
// the main window until the user closes it.

#include <windows.h>
#include <objbase.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/app_module_ex.h"
#include "app/main_dlg.h"
#include "app/startup.h"
#include "ui/controls/product_info.h"
#include "ui/controls/skin.h"
#include "ui/controls/skin_path.h"

CAppModuleEx g_module;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    // The bar classes, and the tree and list the main window's template uses.
    icc.dwICC = ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS;
    ::InitCommonControlsEx(&icc);

    g_module.Init(instance);
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    SetProductVersion(LoadProductVersion(kRegistrySubkey));

    bool alreadyRunning = false;
    HANDLE instanceMutex = ClaimSingleInstance(kInstanceMutexName, &alreadyRunning);
    if (alreadyRunning) {
        Gdiplus::GdiplusShutdown(gdiplusToken);
        g_module.Term();
        ::CoUninitialize();
        return 0;
    }
    (void)instanceMutex;  // held until the process ends

    SetImageFolder(ImageFolderForProgram(ProgramFilePath()));

    INT_PTR code = 0;
    {
        CMainDlg dialog;
        code = dialog.DoModal(::GetActiveWindow());
    }

    Gdiplus::GdiplusShutdown(gdiplusToken);
    g_module.Term();
    ::CoUninitialize();
    return static_cast<int>(code);
}
