// A stand-in for the programs the main window starts (the relay and the
// updater). It appends "<its own path>|<its command line>" to the file named
// by CDV_STANDIN_LOG, and as a relay:
//   pull REMOTE LOCAL  copies the file named by CDV_STANDIN_SOURCE (if any)
//                      to LOCAL; CDV_STANDIN_PULL changes what it writes:
//                      "half" (the first half and a few bytes more, cut
//                      mid-page), "garbage" (64 KiB of noise), "empty",
//                      "slow" (the whole copy in ten pieces 400 ms apart);
//   CDV_STANDIN_CRASH=all   dies of an access violation (any command);
//   CDV_STANDIN_CRASH=pull  dies so after a pull has written its copy;
//   CDV_STANDIN_HANG=all   never ends (any command);
//   CDV_STANDIN_HANG=pull  never ends after a pull, once its copy is written;
//   a stand-in that hangs first takes the mutex named by CDV_STANDIN_MUTEX,
//   so a test can tell when it has been ended.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[1024] = {};
  const DWORD got = GetEnvironmentVariableW(name, buffer, 1024);
  return got > 0 && got < 1024 ? std::wstring(buffer, got) : std::wstring();
}

void AppendUtf8Line(const std::wstring& path, const std::wstring& line) {
  if (path.empty()) return;
  // Several stand-ins may end at once; the log is opened exclusively and retried.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 200 && file == INVALID_HANDLE_VALUE; ++attempt) {
    file = CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (file == INVALID_HANDLE_VALUE) return;
  const std::wstring text = line + L"\n";
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                        nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], bytes, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(file);
}

void WritePull(const std::wstring& source, const std::wstring& target, const std::wstring& mode) {
  if (mode.empty()) {
    if (!source.empty()) CopyFileW(source.c_str(), target.c_str(), FALSE);
    return;
  }
  std::string bytes;
  if (mode == L"garbage") {
    unsigned state = 2463534242u;
    for (int i = 0; i < 65536; ++i) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      bytes.push_back(static_cast<char>(state));
    }
  } else if (mode == L"half" || mode == L"slow") {
    HANDLE in = CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (in == INVALID_HANDLE_VALUE) return;
    const DWORD size = GetFileSize(in, nullptr);
    bytes.resize(mode == L"slow" || size / 2 + 123 > size ? size : size / 2 + 123);
    DWORD got = 0;
    ReadFile(in, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    CloseHandle(in);
  }
  HANDLE out = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  const size_t pieces = mode == L"slow" ? 10 : 1;
  const size_t piece = (bytes.size() + pieces - 1) / pieces;
  for (size_t at = 0; at < bytes.size(); at += piece) {
    if (at > 0) Sleep(400);
    DWORD written = 0;
    const size_t n = bytes.size() - at < piece ? bytes.size() - at : piece;
    WriteFile(out, bytes.data() + at, static_cast<DWORD>(n), &written, nullptr);
  }
  CloseHandle(out);
}

[[noreturn]] void Crash() {
  // Dies with the exception's code, as Windows ends a crashed program, but
  // without a debugger writing its report onto the test's output.
  SetUnhandledExceptionFilter([](EXCEPTION_POINTERS*) -> LONG { return EXCEPTION_EXECUTE_HANDLER; });
  RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  ExitProcess(3);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  AppendUtf8Line(Env(L"CDV_STANDIN_LOG"), std::wstring(self) + L"|" + GetCommandLineW());

  const std::wstring hang = Env(L"CDV_STANDIN_HANG");
  const std::wstring mutexName = Env(L"CDV_STANDIN_MUTEX");
  if (!hang.empty() && !mutexName.empty()) CreateMutexW(nullptr, TRUE, mutexName.c_str());
  const std::wstring crash = Env(L"CDV_STANDIN_CRASH");
  if (hang == L"all") Sleep(INFINITE);
  if (crash == L"all") Crash();
  if (argc >= 4 && std::wstring(argv[1]) == L"pull") {
    WritePull(Env(L"CDV_STANDIN_SOURCE"), argv[3], Env(L"CDV_STANDIN_PULL"));
    if (hang == L"pull") Sleep(INFINITE);
    if (crash == L"pull") Crash();
  }
  return 0;
}
