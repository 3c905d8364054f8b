#include <windows.h>

#include <vector>

#include "platform/droidgate/server_launch.h"
#include "platform/droidgate/windows_text.h"

namespace cdv::adb {
namespace {

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring OwnDirectory() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (n == 0 || n >= path.size()) return {};
  path.resize(n);
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

class AttributeList {
 public:
  explicit AttributeList(std::vector<HANDLE>* handles) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_.resize(size);
    list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (size == 0 || !InitializeProcThreadAttributeList(list_, 1, 0, &size)) {
      list_ = nullptr;
      return;
    }
    if (!UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles->data(),
                                   handles->size() * sizeof(HANDLE), nullptr, nullptr)) {
      DeleteProcThreadAttributeList(list_);
      list_ = nullptr;
    }
  }
  ~AttributeList() {
    if (list_) DeleteProcThreadAttributeList(list_);
  }
  AttributeList(const AttributeList&) = delete;
  AttributeList& operator=(const AttributeList&) = delete;
  LPPROC_THREAD_ATTRIBUTE_LIST get() const { return list_; }

 private:
  std::vector<unsigned char> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

}  // namespace

std::string FindAdbExecutable() {
  const std::wstring own = OwnDirectory();
  if (!own.empty() && IsFile(own + L"\\adb.exe")) return Utf8FromWide(own + L"\\adb.exe");
  std::wstring found(32768, L'\0');
  const DWORD n = SearchPathW(nullptr, L"adb.exe", nullptr, static_cast<DWORD>(found.size()), found.data(), nullptr);
  if (n == 0 || n >= found.size()) return {};
  found.resize(n);
  return Utf8FromWide(found);
}

bool StartAdbServer(const std::string& adb_path, std::uint16_t port, std::string* error) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE null_in = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                               OPEN_EXISTING, 0, nullptr);
  HANDLE null_out = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                OPEN_EXISTING, 0, nullptr);
  if (null_in == INVALID_HANDLE_VALUE || null_out == INVALID_HANDLE_VALUE) {
    *error = WindowsErrorText(GetLastError());
    if (null_in != INVALID_HANDLE_VALUE) CloseHandle(null_in);
    if (null_out != INVALID_HANDLE_VALUE) CloseHandle(null_out);
    return false;
  }

  std::vector<HANDLE> inherited = {null_in, null_out};
  AttributeList attributes(&inherited);
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = null_in;
  startup.StartupInfo.hStdOutput = null_out;
  startup.StartupInfo.hStdError = null_out;
  DWORD flags = CREATE_NO_WINDOW;
  if (attributes.get()) {
    // Only the two null-device handles reach the server, never our own pipes.
    startup.lpAttributeList = attributes.get();
    flags |= EXTENDED_STARTUPINFO_PRESENT;
  }

  const std::wstring program = WideFromUtf8(adb_path);
  std::wstring command_line = L"\"" + program + L"\" -P " + std::to_wstring(port) + L" start-server";
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, flags,
                                      nullptr, nullptr, &startup.StartupInfo, &process);
  const DWORD code = GetLastError();
  CloseHandle(null_in);
  CloseHandle(null_out);
  if (!started) {
    *error = WindowsErrorText(code);
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace cdv::adb
