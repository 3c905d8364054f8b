#include <windows.h>

#include "platform/droidgate/local_file.h"
#include "platform/droidgate/windows_text.h"

namespace cdv::adb {
namespace {

class WinFileWriter final : public LocalFileWriter {
 public:
  explicit WinFileWriter(HANDLE file) : file_(file) {}
  ~WinFileWriter() override { CloseHandle(file_); }
  WinFileWriter(const WinFileWriter&) = delete;
  WinFileWriter& operator=(const WinFileWriter&) = delete;

  bool Write(const void* data, std::size_t length, std::string* error) override {
    const char* p = static_cast<const char*>(data);
    while (length > 0) {
      const DWORD chunk = length > 0x100000 ? 0x100000 : static_cast<DWORD>(length);
      DWORD written = 0;
      if (!WriteFile(file_, p, chunk, &written, nullptr) || written == 0) {
        *error = WindowsErrorText(GetLastError());
        return false;
      }
      p += written;
      length -= written;
    }
    return true;
  }

 private:
  HANDLE file_;
};

}  // namespace

std::unique_ptr<LocalFileWriter> CreateLocalFile(const std::string& path, std::string* error) {
  // Readers may open the copy while it grows; the handle is not inherited.
  HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = WindowsErrorText(GetLastError());
    return nullptr;
  }
  return std::make_unique<WinFileWriter>(file);
}

bool RemoveLocalFile(const std::string& path) { return DeleteFileW(WideFromUtf8(path).c_str()) != 0; }

bool IsLocalDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace cdv::adb
