// The main window with a large phone: how long the engine, the load, the
// list and the recovery of every record take, whether the progress moves and
// Pause answers during the load, and the process's peak memory after each.
//   mainwindow_scale_bench.exe [DATABASE]   (default: testdata\mainwindow\scale)
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "tests/mainwindow/main_window_driver.h"
#include "tests/mainwindow/program_folder.h"

namespace {

using namespace mwtest;

struct Memory {
  double workingMiB = 0;
  double peakWorkingMiB = 0;
  double peakPrivateMiB = 0;
};

Memory MemoryNow() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  constexpr double kMiB = 1024.0 * 1024.0;
  return Memory{static_cast<double>(counters.WorkingSetSize) / kMiB,
                static_cast<double>(counters.PeakWorkingSetSize) / kMiB,
                static_cast<double>(counters.PeakPagefileUsage) / kMiB};
}

struct Watch {
  DWORD firstReport = 0;
  DWORD lastReport = 0;
  std::vector<int> positions;
  Memory whenFull;  // when the bar first reached 100: the load's end

  static LRESULT CALLBACK Hook(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Watch*>(data);
    if (msg == PBM_SETPOS && InSendMessage()) {
      const DWORD now = GetTickCount();
      if (self->firstReport == 0) self->firstReport = now;
      self->lastReport = now;
      if (self->positions.empty() || self->positions.back() != static_cast<int>(w)) {
        self->positions.push_back(static_cast<int>(w));
        if (w >= 100 && self->whenFull.peakWorkingMiB == 0) self->whenFull = MemoryNow();
      }
    }
    return DefSubclassProc(h, msg, w, l);
  }
};

void PrintMemory(const char* after, const Memory& m) {
  std::printf("memory after %-9s working set %7.1f MiB, peak working set %7.1f MiB, peak private %7.1f MiB\n", after,
              m.workingMiB, m.peakWorkingMiB, m.peakPrivateMiB);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring database = argc > 1 ? std::wstring(argv[1]) : TestDatabase(L"scale");
  WindowProgram setup;

  ProgramFolder program;
  program.SetPullSource(database);
  MainWindowSettings settings;
  settings.programFolder = program.Folder();
  settings.acquisition.startDelayMs = 0;
  const std::wstring outputFolder = program.OutputFolder();
  settings.pickFolder = [outputFolder](HWND) { return std::optional<std::wstring>(outputFolder); };
  CMainDlg dlg(settings);
  Memory afterEngine, afterList, afterExport;
  DWORD recoverClickedAt = 0;
  DWORD recoveredAt = 0;
  std::wstring finishText;

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
                         afterEngine = MemoryNow();
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
                    afterList = MemoryNow();
                    label = TreeText(d, d.m_contactsItem);
                    rows = RowCount(d);
                    RemoveWindowSubclass(d.m_progress, &Watch::Hook, 3);
                  }),
               WaitFor("recover",
                       [&](CMainDlg& d) {
                         recoverClickedAt = GetTickCount();
                         return ClickControl(d.m_btnRecover.m_hWnd);
                       }),
               WaitFor("recovered",
                       [&](CMainDlg& d) {
                         HWND box = OwnedPopup(d.m_hWnd);
                         if (box == nullptr) return false;
                         recoveredAt = GetTickCount();
                         afterExport = MemoryNow();
                         finishText = MessageBoxText(box);
                         return ClickControl(::GetDlgItem(box, 1011));
                       },
                       600000),
               WaitFor("box closed", [](CMainDlg& d) { return OwnedPopup(d.m_hWnd) == nullptr; }),
               Do("close", [](CMainDlg& d) { d.CloseWindow(0); }),
           });

  std::printf("database: %ls\n", database.c_str());
  std::printf("failed step: %s\n", run.failedStep.empty() ? "(none)" : run.failedStep.c_str());
  std::printf("label: %ls, list rows: %d\n", label.c_str(), rows);
  std::printf("engine on the UI thread: %lu ms\n", resultsPageAt - lastDevicePageTick);
  std::printf("load worker, first to last record: %lu ms (with 1 s paused when still loading)\n", watch.lastReport - watch.firstReport);
  std::printf("list and card after the load: %lu ms\n", resultsAt - watch.lastReport);
  std::printf("progress positions seen: %zu\n", watch.positions.size());
  std::printf("pause answered in: %lu ms; still loading then: %s; progress held for 1 s: %s\n",
              pauseShownAt - pauseClickedAt, loadingWhenPaused ? "yes" : "no", heldWhilePaused ? "yes" : "no");
  std::printf("recover of every record: %lu ms, %llu bytes written; \"%ls\"\n", recoveredAt - recoverClickedAt,
              BytesUnder(outputFolder), finishText.c_str());
  PrintMemory("engine:", afterEngine);
  PrintMemory("load:", watch.whenFull);
  PrintMemory("list:", afterList);
  PrintMemory("recover:", afterExport);
  return run.failedStep.empty() ? 0 : 1;
}
