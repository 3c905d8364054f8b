#include <windows.h>

#include "contacts/file_system.h"

namespace cdv {
namespace {

DWORD Attributes(const std::u16string& path) {
  return GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str()));
}

}  // namespace

const char16_t kPathSeparator = u'\\';

bool FileExists(const std::u16string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::u16string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const std::u16string& path) {
  CreateDirectoryW(reinterpret_cast<const wchar_t*>(path.c_str()), nullptr);
  return FolderExists(path);
}

}  // namespace cdv
