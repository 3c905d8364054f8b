#include "app/run_hidden_win.h"

#include <vector>

#include "platform/codepage/codepage.h"

namespace cdv {
namespace {

// -1 while the file does not exist.
long long FileSize(const std::u16string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() ||
      !::GetFileAttributesExW(reinterpret_cast<const wchar_t*>(path.c_str()), GetFileExInfoStandard, &data)) {
    return -1;
  }
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Waits for the process or the cancel event; true when the process ended by itself.
bool WaitForEnd(HANDLE process, HANDLE cancel, DWORD timeoutMs, const std::u16string& growingFile) {
  HANDLE waitOn[2] = {process, cancel};
  const DWORD handles = cancel != nullptr ? 2 : 1;
  long long lastSize = FileSize(growingFile);
  DWORD waitedMs = 0;
  for (;;) {
    const DWORD waited = ::WaitForMultipleObjects(handles, waitOn, FALSE, timeoutMs);
    if (waited != WAIT_TIMEOUT) return waited == WAIT_OBJECT_0;
    waitedMs += timeoutMs;
    const long long size = FileSize(growingFile);
    if (size <= lastSize || waitedMs >= kLongestGrowingWaitMs) return false;
    lastSize = size;
  }
}

}  // namespace

int RunHidden(const std::string& commandLine, DWORD timeoutMs, HANDLE cancel, const std::string& growingFile) {
  STARTUPINFOW startup{};
  ::GetStartupInfoW(&startup);
  startup.cb = sizeof(startup);
  startup.dwFlags |= STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;

  // CreateProcessW may write into the command line.
  const std::u16string wide = AnsiToUtf16(commandLine);
  std::vector<wchar_t> line(wide.begin(), wide.end());
  line.push_back(L'\0');
  if (line.size() == 1) return 0;

  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return 0;
  }
  const std::u16string watched = growingFile.empty() ? std::u16string() : AnsiToUtf16(growingFile);
  if (!WaitForEnd(process.hProcess, cancel, timeoutMs, watched)) ::TerminateProcess(process.hProcess, 0);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return 1;
}

}  // namespace cdv
