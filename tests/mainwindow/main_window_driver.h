#pragma once
// Drives the real main window from inside its own modal loop: a timer walks
// through steps, each either an action (done at once) or a wait for a
// condition. Actions post real input and command messages; conditions read
// the window's state, which is safe because the timer runs on its thread.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "tests/ui/harness/ui_harness.h"

namespace mwtest {

// What a stand-alone program showing the main window sets up first and
// undoes last: COM, the common controls, GDI+ and the skin's image folder
// beside the program.
class WindowProgram {
 public:
  WindowProgram();
  ~WindowProgram();
  WindowProgram(const WindowProgram&) = delete;
  WindowProgram& operator=(const WindowProgram&) = delete;

 private:
  ULONG_PTR m_gdiplusToken = 0;
};

struct Step {
  std::string name;
  std::function<bool(CMainDlg&)> run;  // true when the step is done
  DWORD timeoutMs = 20000;
};

Step Do(std::string name, std::function<void(CMainDlg&)> action);
Step WaitFor(std::string name, std::function<bool(CMainDlg&)> condition, DWORD timeoutMs = 20000);
Step Pause(DWORD ms);

struct RunResult {
  INT_PTR code = 0;
  std::string failedStep;  // empty when every step ran
};

// Runs the window modally through `steps`. A step that times out ends the
// run: open boxes are dismissed and the window is closed with -2. Steps must
// end the window themselves; one still open 5 s after the last step is closed
// with -3.
RunResult RunMainWindow(CMainDlg& dlg, std::vector<Step> steps);

// The visible pop-up owned by the main window (message box, about box), or null.
HWND OwnedPopup(HWND main);
// The message box's text, or empty when `box` is not one.
std::wstring MessageBoxText(HWND box);

// A left click posted to the middle of a visible control; false (and no
// click) when it is hidden.
bool ClickControl(HWND control);
// A key press and release posted to `window`.
void PostKey(HWND window, UINT vk);
// A left click posted at a client point of `window`.
void ClickAt(HWND window, int x, int y);

// Rows and ticks as the user sees them.
int RowCount(CMainDlg& dlg);
cdv::ContactRecord* RowRecord(CMainDlg& dlg, int row);
std::wstring RowText(CMainDlg& dlg, int row, int column);
int RowState(CMainDlg& dlg, int row);
int TreeState(CMainDlg& dlg, HTREEITEM item);
std::wstring TreeText(CMainDlg& dlg, HTREEITEM item);
// Clicks a row's check box.
bool ClickRowCheck(CMainDlg& dlg, int row);

bool Visible(HWND h);

}  // namespace mwtest
