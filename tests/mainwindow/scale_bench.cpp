// The main window with a large phone: how long the engine, the load and the
// list take, whether the progress moves and Pause answers during the load,
// and the process's peak memory.
//   mainwindow_scale_bench.exe [DATABASE]   (default: testdata\mainwindow\scale)
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "tests/mainwindow/main_window_driver.h"
#include "tests/mainwindow/program_folder.h"
#include "ui/controls/skin.h"

namespace {

using namespace mwtest;

struct Watch {
  DWORD firstReport = 0;
  DWORD lastReport = 0;
  std::vector<int> positions;

  static LRESULT CALLBACK Hook(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Watch*>(data);
    if (msg == PBM_SETPOS && InSendMessage()) {
      const DWORD now = GetTickCount();
      if (self->firstReport == 0) self->firstReport = now;
      self->lastReport = now;
      if (self->positions.empty() || self->positions.back() != static_cast<int>(w)) {
        self->positions.push_back(static_cast<int>(w));
      }
    }
    return DefSubclassProc(h, msg, w, l);
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring database = argc > 1 ? std::wstring(argv[1]) : TestDatabase(L"scale");
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  SetImageFolder(TestProgramFolder() + L"image\\");

  ProgramFolder program;
  program.SetPullSource(database);
  MainWindowSettings settings;
  settings.programFolder = program.Folder();
  settings.acquisition.startDelayMs = 0;
  CMainDlg dlg(settings);

  Watch watch;
  DWORD lastDevicePageTick = 0;
  DWORD resultsPageAt = 0;
  DWORD pauseClickedAt = 0;
  DWORD pauseShownAt = 0;
  size_t positionsWhenPaused = 0;
  bool heldWhilePaused = false;
  bool loadingWhenPaused = false;
  DWORD resultsAt = 0;
  std::wstring label;
  int rows = 0;
  const RunResult run = RunMainWindow(
      dlg, {
               WaitFor("engine done",
                       [&](CMainDlg& d) {
                         if (d.m_page == 1) {
                           lastDevicePageTick = GetTickCount();
                           return false;
                         }
                         resultsPageAt = GetTickCount();
                         SetWindowSubclass(d.m_progress, &Watch::Hook, 3, reinterpret_cast<DWORD_PTR>(&watch));
                         return true;
                       },
                       600000),
               WaitFor("pause offered", [](CMainDlg& d) { return Visible(d.m_btnPause); }, 600000),
               WaitFor("progress moving", [&](CMainDlg&) { return watch.positions.size() >= 3; }, 600000),
               Do("pause",
                  [&](CMainDlg& d) {
                    pauseClickedAt = GetTickCount();
                    ClickControl(d.m_btnPause);
                  }),
               WaitFor("paused",
                       [&](CMainDlg& d) {
                         pauseShownAt = GetTickCount();
                         positionsWhenPaused = watch.positions.size();
                         loadingWhenPaused = d.m_hWorker != nullptr && watch.positions.back() < 100;
                         return Visible(d.m_btnContinue);
                       }),
               Pause(1000),
               Do("held", [&](CMainDlg&) { heldWhilePaused = watch.positions.size() == positionsWhenPaused; }),
               Do("continue", [](CMainDlg& d) { ClickControl(d.m_btnContinue); }),
               WaitFor("results",
                       [&](CMainDlg& d) {
                         resultsAt = GetTickCount();
                         return d.m_hWorker == nullptr && Visible(d.m_btnRecover) && d.m_list->IsWindowVisible();
                       },
                       600000),
               Do("read",
                  [&](CMainDlg& d) {
                    label = TreeText(d, d.m_contactsItem);
                    rows = RowCount(d);
                    RemoveWindowSubclass(d.m_progress, &Watch::Hook, 3);
                  }),
               Do("close", [](CMainDlg& d) { d.CloseWindow(0); }),
           });

  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
  std::printf("database: %ls\n", database.c_str());
  std::printf("failed step: %s\n", run.failedStep.empty() ? "(none)" : run.failedStep.c_str());
  std::printf("label: %ls, list rows: %d\n", label.c_str(), rows);
  std::printf("engine on the UI thread: %lu ms\n", resultsPageAt - lastDevicePageTick);
  std::printf("load worker, first to last record: %lu ms (with 1 s paused when still loading)\n", watch.lastReport - watch.firstReport);
  std::printf("list and card after the load: %lu ms\n", resultsAt - watch.lastReport);
  std::printf("progress positions seen: %zu\n", watch.positions.size());
  std::printf("pause answered in: %lu ms; still loading then: %s; progress held for 1 s: %s\n",
              pauseShownAt - pauseClickedAt, loadingWhenPaused ? "yes" : "no", heldWhilePaused ? "yes" : "no");
  std::printf("peak working set: %.1f MiB, peak private bytes: %.1f MiB\n",
              static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0),
              static_cast<double>(memory.PeakPagefileUsage) / (1024.0 * 1024.0));
  Gdiplus::GdiplusShutdown(token);
  ::CoUninitialize();
  return run.failedStep.empty() ? 0 : 1;
}
