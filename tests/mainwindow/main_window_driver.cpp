#include "tests/mainwindow/main_window_driver.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "tests/mainwindow/program_folder.h"
#include "ui/controls/list_row_layout.h"
#include "ui/controls/skin.h"
#include "ui/dialogs/msg_box.h"

namespace mwtest {

WindowProgram::WindowProgram() {
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);
  SetImageFolder(TestProgramFolder() + L"image\\");
}

WindowProgram::~WindowProgram() {
  Gdiplus::GdiplusShutdown(m_gdiplusToken);
  ::CoUninitialize();
}
namespace {

struct DriverState {
  CMainDlg* dlg = nullptr;
  std::vector<Step> steps;
  size_t index = 0;
  DWORD stepStart = 0;
  DWORD finishedAt = 0;
  bool busy = false;
  bool closing = false;
  INT_PTR closeCode = 0;
  std::string failedStep;
};

DriverState* g_state = nullptr;

struct PopupSearch {
  HWND main;
  HWND found;
};

BOOL CALLBACK FindOwnedPopup(HWND h, LPARAM param) {
  auto* s = reinterpret_cast<PopupSearch*>(param);
  if (h != s->main && ::IsWindowVisible(h) && ::GetWindow(h, GW_OWNER) == s->main) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

void CloseEverything(DriverState& s) {
  HWND main = s.dlg->m_hWnd;
  if (main == nullptr) return;
  if (HWND popup = OwnedPopup(main)) {
    // Message box: its close button; about box: its own close id.
    ::PostMessageW(popup, WM_COMMAND, MAKEWPARAM(1010, BN_CLICKED), 0);
    ::PostMessageW(popup, WM_COMMAND, MAKEWPARAM(1024, BN_CLICKED), 0);
    return;
  }
  s.dlg->CloseWindow(s.closeCode);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  DriverState* s = g_state;
  if (s == nullptr || s->busy || s->dlg == nullptr || s->dlg->m_hWnd == nullptr) return;
  s->busy = true;
  const DWORD now = ::GetTickCount();
  if (s->closing) {
    CloseEverything(*s);
  } else if (s->index < s->steps.size()) {
    Step& step = s->steps[s->index];
    if (step.run(*s->dlg)) {
      ++s->index;
      s->stepStart = ::GetTickCount();
      if (s->index == s->steps.size()) s->finishedAt = s->stepStart;
    } else if (now - s->stepStart > step.timeoutMs) {
      s->failedStep = step.name;
      s->closing = true;
      s->closeCode = -2;
    }
  } else if (now - s->finishedAt > 5000) {
    s->failedStep = "(window left open after the last step)";
    s->closing = true;
    s->closeCode = -3;
  }
  s->busy = false;
}

}  // namespace

Step Do(std::string name, std::function<void(CMainDlg&)> action) {
  return Step{std::move(name), [action](CMainDlg& d) {
                action(d);
                return true;
              }};
}

Step WaitFor(std::string name, std::function<bool(CMainDlg&)> condition, DWORD timeoutMs) {
  return Step{std::move(name), std::move(condition), timeoutMs};
}

Step Pause(DWORD ms) {
  auto start = std::make_shared<DWORD>(0);
  return Step{"pause", [start, ms](CMainDlg&) {
                if (*start == 0) *start = ::GetTickCount() | 1;
                return ::GetTickCount() - *start >= ms;
              },
              ms + 5000};
}

RunResult RunMainWindow(CMainDlg& dlg, std::vector<Step> steps) {
  DriverState state;
  state.dlg = &dlg;
  state.steps = std::move(steps);
  state.stepStart = ::GetTickCount();
  g_state = &state;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &Tick);
  RunResult result;
  result.code = dlg.DoModal(nullptr);
  ::KillTimer(nullptr, timer);
  g_state = nullptr;
  result.failedStep = state.failedStep;
  if (result.failedStep.empty() && state.index < state.steps.size()) {
    result.failedStep = "(window ended before step: " + state.steps[state.index].name + ")";
  }
  return result;
}

HWND OwnedPopup(HWND main) {
  PopupSearch search{main, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindOwnedPopup, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring MessageBoxText(HWND box) {
  auto* core = fw::CDialogImplCore::FromHandle(box);
  auto* msgBox = dynamic_cast<CMsgBox*>(core);
  return msgBox != nullptr ? msgBox->Text() : std::wstring();
}

void PostKey(HWND window, UINT vk) {
  const UINT scan = ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  ::PostMessageW(window, WM_KEYDOWN, vk, 1 | (scan << 16));
  ::PostMessageW(window, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
}

void ClickAt(HWND window, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  ::PostMessageW(window, WM_MOUSEMOVE, 0, at);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(window, WM_LBUTTONUP, 0, at);
}

bool ClickControl(HWND control) {
  if (!Visible(control)) return false;
  RECT rc{};
  ::GetClientRect(control, &rc);
  ClickAt(control, rc.right / 2, rc.bottom / 2);
  return true;
}

bool Visible(HWND h) { return h != nullptr && ::IsWindowVisible(h) != FALSE; }

int RowCount(CMainDlg& dlg) { return dlg.m_list ? dlg.m_list->GetItemCount() : 0; }

cdv::ContactRecord* RowRecord(CMainDlg& dlg, int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!dlg.m_list || !dlg.m_list->GetItem(&item)) return nullptr;
  return reinterpret_cast<cdv::ContactRecord*>(item.lParam);
}

std::wstring RowText(CMainDlg& dlg, int row, int column) {
  return dlg.m_list ? dlg.m_list->GetItemText(row, column) : std::wstring();
}

int RowState(CMainDlg& dlg, int row) { return dlg.m_list ? dlg.m_list->RowState(row) : -1; }

int TreeState(CMainDlg& dlg, HTREEITEM item) { return dlg.m_tree.StateIndex(item); }

std::wstring TreeText(CMainDlg& dlg, HTREEITEM item) { return dlg.m_tree.GetItemText(item); }

bool ClickRowCheck(CMainDlg& dlg, int row) {
  if (!dlg.m_list) return false;
  dlg.m_list->SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RECT bounds{};
  if (!dlg.m_list || !dlg.m_list->GetItemRect(row, &bounds, LVIR_BOUNDS)) return false;
  const fw::Rect zone =
      cdv::ListCheckZone(fw::Rect{bounds.left, bounds.top, bounds.right, bounds.bottom},
                         static_cast<int>(fw::ImageWidth(dlg.m_list->m_checkBoxImage.get())),
                         static_cast<int>(fw::ImageHeight(dlg.m_list->m_checkBoxImage.get())));
  ClickAt(dlg.m_list->m_hWnd, (zone.left + zone.right) / 2, (zone.top + zone.bottom) / 2);
  return true;
}

}  // namespace mwtest
