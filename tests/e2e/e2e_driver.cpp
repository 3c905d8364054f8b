// Drives the shipped program from outside, as a user would: starts it, waits
// for its pages by the controls they show, clicks its buttons, saves pictures
// of the window and closes it. Runs in the same Wine session as the program.
//
//   e2e_driver PROGRAM.exe PICTURE_FOLDER STEP...
//
// Steps, in order (times in seconds):
//   window:T           the main window is up
//   results:T          the results page (list and Recover shown, no worker)
//   failure:T          the failure page (Refresh shown)
//   shot:NAME          PICTURE_FOLDER\NAME.png of the window (or of the open box)
//   rows               prints the list's row count
//   copy:PATH          copies the working copy (drive root\marlowen\contacts2.db) to PATH
//   click:ID           clicks the visible button with control id ID on the main window
//   press:ID           clicks it and waits until the button has gone (Refresh)
//   box:T              a message box owned by the main window is open
//   box-ok             clicks the open box's OK button
//   signal:PATH        creates the file PATH
//   await:PATH:T       waits until the file PATH exists
//   close:T            clicks the close button and waits for the process to end
// Each step prints one line "<step> <result> <ms since start>"; the first
// step that fails prints "FAILED ..." and ends the run with exit code 1,
// after ending the program.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kTreeId = 1003;
constexpr int kListId = 1004;
constexpr int kCloseId = 1000;
constexpr int kRecoverId = 1010;
constexpr int kRefreshId = 1033;
constexpr int kBoxOkId = 1011;

struct Run {
  PROCESS_INFORMATION process{};
  HWND main = nullptr;
  ULONGLONG start = 0;
  std::wstring pictures;
  std::wstring programFolder;

  ULONGLONG Elapsed() const { return ::GetTickCount64() - start; }
  bool Ended() const { return ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }
};

bool Visible(HWND h) { return h != nullptr && ::IsWindowVisible(h) != FALSE; }

struct WindowSearch {
  DWORD processId;
  HWND owner;  // null: a top-level window without owner
  HWND found;
};

BOOL CALLBACK FindWindowOf(HWND h, LPARAM param) {
  auto* s = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  wchar_t className[16] = {};
  ::GetClassNameW(h, className, 16);
  if (pid == s->processId && Visible(h) && ::GetWindow(h, GW_OWNER) == s->owner &&
      std::wcscmp(className, L"#32770") == 0) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND TopWindow(const Run& run, HWND owner) {
  WindowSearch search{run.process.dwProcessId, owner, nullptr};
  ::EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool ControlShown(const Run& run, int id) { return run.main != nullptr && Visible(::GetDlgItem(run.main, id)); }

bool OnResultsPage(const Run& run) {
  return ControlShown(run, kListId) && ControlShown(run, kTreeId) && ControlShown(run, kRecoverId);
}

bool OnFailurePage(const Run& run) { return ControlShown(run, kRefreshId); }

// A left click in the middle of a control, posted as the mouse would.
bool Click(HWND control) {
  if (!Visible(control)) return false;
  RECT rc{};
  ::GetClientRect(control, &rc);
  const LPARAM at = MAKELPARAM(rc.right / 2, rc.bottom / 2);
  ::PostMessageW(control, WM_MOUSEMOVE, 0, at);
  ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(control, WM_LBUTTONUP, 0, at);
  return true;
}

int PngEncoder(CLSID* clsid) {
  UINT count = 0, bytes = 0;
  Gdiplus::GetImageEncodersSize(&count, &bytes);
  if (bytes == 0) return -1;
  std::vector<unsigned char> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, bytes, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (std::wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      *clsid = codecs[i].Clsid;
      return static_cast<int>(i);
    }
  }
  return -1;
}

// What the screen shows inside the window's rectangle, as a PNG file.
bool SaveWindowPicture(HWND window, const std::wstring& path) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::Sleep(400);
  RECT rc{};
  if (!::GetWindowRect(window, &rc) || rc.right <= rc.left || rc.bottom <= rc.top) return false;
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
  ::SelectObject(memory, old);
  bool saved = false;
  CLSID png{};
  if (PngEncoder(&png) >= 0) {
    Gdiplus::Bitmap picture(bitmap, nullptr);
    saved = picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return saved;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Waits up to `seconds` for `done`; false when the time ran out or the program ended.
template <typename Condition>
bool WaitUntil(Run& run, double seconds, Condition done) {
  const ULONGLONG until = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (run.main == nullptr) run.main = TopWindow(run, nullptr);
    if (done()) return true;
    if (run.Ended() || ::GetTickCount64() > until) return false;
    ::Sleep(50);
  }
}

std::vector<std::wstring> Split(const std::wstring& step) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (;;) {
    // A drive letter's colon belongs to the path ("copy:C:\x", "await:C:\x:10").
    size_t colon = step.find(L':', start);
    while (colon != std::wstring::npos && colon == start + 1 && colon + 1 < step.size() && step[colon + 1] == L'\\') {
      colon = step.find(L':', colon + 1);
    }
    parts.push_back(step.substr(start, colon == std::wstring::npos ? std::wstring::npos : colon - start));
    if (colon == std::wstring::npos) return parts;
    start = colon + 1;
  }
}

double Seconds(const std::vector<std::wstring>& parts, size_t index, double fallback) {
  return parts.size() > index ? std::wcstod(parts[index].c_str(), nullptr) : fallback;
}

// The working copy the program reads: its drive prefix + "marlowen\contacts2.db".
std::wstring WorkingCopy(const Run& run) { return run.programFolder.substr(0, 3) + L"marlowen\\contacts2.db"; }

// Runs one step; false when it failed (`result` may say why).
bool Step(Run& run, const std::vector<std::wstring>& parts, std::string* result) {
  const std::wstring& verb = parts[0];
  if (verb == L"window") return WaitUntil(run, Seconds(parts, 1, 30), [&] { return run.main != nullptr; });
  if (verb == L"results") {
    bool failed = false;
    const bool ok = WaitUntil(run, Seconds(parts, 1, 60), [&] {
      failed = OnFailurePage(run);
      return failed || OnResultsPage(run);
    });
    if (failed) *result = "(the failure page came instead)";
    return ok && !failed;
  }
  if (verb == L"failure") {
    bool results = false;
    const bool ok = WaitUntil(run, Seconds(parts, 1, 60), [&] {
      results = OnResultsPage(run);
      return results || OnFailurePage(run);
    });
    if (results) *result = "(the results page came instead)";
    return ok && !results;
  }
  if (verb == L"shot" && parts.size() > 1) {
    HWND box = run.main != nullptr ? TopWindow(run, run.main) : nullptr;
    HWND target = box != nullptr ? box : run.main;
    return target != nullptr && SaveWindowPicture(target, run.pictures + L"\\" + parts[1] + L".png");
  }
  if (verb == L"rows") {
    HWND list = run.main != nullptr ? ::GetDlgItem(run.main, kListId) : nullptr;
    if (list == nullptr) return false;
    *result = std::to_string(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    return true;
  }
  if (verb == L"copy" && parts.size() > 1) {
    return ::CopyFileW(WorkingCopy(run).c_str(), parts[1].c_str(), FALSE) != FALSE;
  }
  if (verb == L"click" && parts.size() > 1) {
    const int id = std::wcstol(parts[1].c_str(), nullptr, 10);
    return WaitUntil(run, 10, [&] { return run.main != nullptr && Click(::GetDlgItem(run.main, id)); });
  }
  if (verb == L"press" && parts.size() > 1) {
    const int id = std::wcstol(parts[1].c_str(), nullptr, 10);
    if (!WaitUntil(run, 10, [&] { return run.main != nullptr && Click(::GetDlgItem(run.main, id)); })) return false;
    return WaitUntil(run, 10, [&] { return !ControlShown(run, id); });
  }
  if (verb == L"box") {
    return WaitUntil(run, Seconds(parts, 1, 30), [&] { return run.main != nullptr && TopWindow(run, run.main) != nullptr; });
  }
  if (verb == L"box-ok") {
    HWND box = run.main != nullptr ? TopWindow(run, run.main) : nullptr;
    if (box == nullptr || !Click(::GetDlgItem(box, kBoxOkId))) return false;
    return WaitUntil(run, 10, [&] { return TopWindow(run, run.main) == nullptr; });
  }
  if (verb == L"signal" && parts.size() > 1) {
    HANDLE file = ::CreateFileW(parts[1].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
  }
  if (verb == L"await" && parts.size() > 1) {
    return WaitUntil(run, Seconds(parts, 2, 60), [&] { return FileExists(parts[1]); });
  }
  if (verb == L"close") {
    if (run.main == nullptr || !Click(::GetDlgItem(run.main, kCloseId))) return false;
    const DWORD waitMs = static_cast<DWORD>(Seconds(parts, 1, 30) * 1000);
    if (::WaitForSingleObject(run.process.hProcess, waitMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    ::GetExitCodeProcess(run.process.hProcess, &code);
    *result = "exit code " + std::to_string(code);
    return true;
  }
  *result = "(unknown step)";
  return false;
}

std::string Narrow(const std::wstring& text) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? static_cast<size_t>(n - 1) : 0, '\0');
  if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
  return out;
}

// Ends a program left running after a failed step: its close request first.
void EndProgram(Run& run) {
  if (run.Ended()) return;
  if (run.main != nullptr) {
    if (HWND box = TopWindow(run, run.main)) ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(1010, BN_CLICKED), 0);
    ::PostMessageW(run.main, WM_CLOSE, 0, 0);
  }
  if (::WaitForSingleObject(run.process.hProcess, 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(run.process.hProcess, 3);
    ::WaitForSingleObject(run.process.hProcess, 5000);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: e2e_driver PROGRAM.exe PICTURE_FOLDER STEP...\n");
    return 2;
  }
  // Plain LF line ends for the scripts that read the steps.
  _setmode(_fileno(stdout), _O_BINARY);
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);

  Run run;
  wchar_t full[MAX_PATH] = {};
  ::GetFullPathNameW(argv[1], MAX_PATH, full, nullptr);
  const std::wstring program = full;
  run.programFolder = program.substr(0, program.find_last_of(L'\\'));
  run.pictures = argv[2];
  ::CreateDirectoryW(run.pictures.c_str(), nullptr);

  // Started as from its folder, with a quoted path as the shell would.
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  run.start = ::GetTickCount64();
  if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        run.programFolder.c_str(), &startup, &run.process)) {
    std::printf("FAILED start: error %lu\n", ::GetLastError());
    return 1;
  }

  int status = 0;
  for (int i = 3; i < argc; ++i) {
    const std::vector<std::wstring> parts = Split(argv[i]);
    std::string result;
    const bool ok = Step(run, parts, &result);
    std::printf("%s%s %s %llu\n", ok ? "" : "FAILED ", Narrow(argv[i]).c_str(), result.empty() ? "ok" : result.c_str(),
                run.Elapsed());
    std::fflush(stdout);
    if (!ok) {
      if (run.main != nullptr && !run.Ended()) SaveWindowPicture(run.main, run.pictures + L"\\failed-step.png");
      status = 1;
      break;
    }
  }
  EndProgram(run);
  ::CloseHandle(run.process.hThread);
  ::CloseHandle(run.process.hProcess);
  Gdiplus::GdiplusShutdown(token);
  return status;
}
