// Uprovia.exe: the updater the program starts with its six arguments.
#include <windows.h>
#include <objbase.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/web_links.h"
#include "platform/uprovia/updater_window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);

    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; argv != nullptr && i < count; ++i) args.emplace_back(argv[i]);
    if (argv != nullptr) ::LocalFree(argv);

    const int code = uprovia::RunUpdater(args, cdv::web::kUpdateManifest);
    ::CoUninitialize();
    return code;
}
