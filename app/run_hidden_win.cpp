#include "app/run_hidden_win.h"

#include <vector>

#include "platform/codepage/codepage.h"

namespace cdv {

int RunHidden(const std::string& commandLine, DWORD timeoutMs, HANDLE cancel) {
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
  HANDLE waitOn[2] = {process.hProcess, cancel};
  const DWORD waited = ::WaitForMultipleObjects(cancel != nullptr ? 2 : 1, waitOn, FALSE, timeoutMs);
  if (waited != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 0);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return 1;
}

}  // namespace cdv
