// Pictures of the main window for the documentation: the device page while
// the phone is read, the failure page and the results page.
//   mainwindow_screenshots.exe OUTPUT_FOLDER
// writes device-page.bmp, failure-page.bmp, results-page.bmp and updater.bmp there.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/main_dlg.h"
#include "platform/uprovia/updater_window.h"
#include "tests/mainwindow/main_window_driver.h"
#include "tests/mainwindow/program_folder.h"

namespace {

using namespace mwtest;

MainWindowSettings SettingsFor(const ProgramFolder& program, DWORD delayMs) {
  MainWindowSettings settings;
  settings.programFolder = program.Folder();
  settings.acquisition.startDelayMs = delayMs;
  return settings;
}

bool Save(HWND window, const std::wstring& path) {
  uitest::Repaint(window);
  uitest::PumpMessages(200);
  return uitest::SaveBmp(uitest::CaptureWindowFromScreen(window), path);
}

// A moment of the loading animation that shows it well.
Step Settle(DWORD ms) { return Pause(ms); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: mainwindow_screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const std::wstring out = std::wstring(argv[1]) + L"\\";
  WindowProgram setup;

  int failures = 0;
  {
    ProgramFolder program;
    CMainDlg dlg(SettingsFor(program, 60000));
    bool saved = false;
    RunMainWindow(dlg, {WaitFor("acquiring", [](CMainDlg& d) { return d.m_frameTimerOn == 1; }), Settle(700),
                        Do("save", [&](CMainDlg& d) { saved = Save(d.m_hWnd, out + L"device-page.bmp"); }),
                        Do("close", [](CMainDlg& d) { d.CloseWindow(0); })});
    failures += saved ? 0 : 1;
  }
  {
    ProgramFolder program;
    CMainDlg dlg(SettingsFor(program, 0));
    bool saved = false;
    RunMainWindow(dlg, {WaitFor("failed", [](CMainDlg& d) { return d.m_loadState == 0; }), Settle(300),
                        Do("save", [&](CMainDlg& d) { saved = Save(d.m_hWnd, out + L"failure-page.bmp"); }),
                        Do("close", [](CMainDlg& d) { d.CloseWindow(0); })});
    failures += saved ? 0 : 1;
  }
  {
    ProgramFolder program;
    program.SetPullSource(TestDatabase(L"medium"));
    CMainDlg dlg(SettingsFor(program, 0));
    bool saved = false;
    RunMainWindow(dlg, {WaitFor("results", [](CMainDlg& d) { return d.m_page == 2 && Visible(d.m_btnRecover); }),
                        Do("select a row",
                           [](CMainDlg& d) {
                             RECT row{};
                             d.m_list->GetItemRect(2, &row, LVIR_BOUNDS);
                             ClickAt(d.m_list->m_hWnd, (row.left + row.right) / 2 + 100, (row.top + row.bottom) / 2);
                           }),
                        Settle(500),
                        Do("save", [&](CMainDlg& d) { saved = Save(d.m_hWnd, out + L"results-page.bmp"); }),
                        Do("close", [](CMainDlg& d) { d.CloseWindow(0); })});
    failures += saved ? 0 : 1;
  }
  {
    // No manifest to read here: the status line says so.
    uprovia::UpdaterRequest request{L"Cardivane", L"1.0.0.1", L"Marlowen Cardivane", L"#32770", L"screens"};
    uprovia::CUpdaterWindow updater;
    updater.Open(request, L"http://127.0.0.1:1/download/update/marlowen_update.txt");
    uitest::PumpUntil([&] { return updater.CheckDone(); }, 20000);
    failures += Save(updater.m_hWnd, out + L"updater.bmp") ? 0 : 1;
    updater.DestroyWindow();
  }
  std::fprintf(stdout, "%d of 4 pictures written\n", 4 - failures);
  return failures == 0 ? 0 : 1;
}
