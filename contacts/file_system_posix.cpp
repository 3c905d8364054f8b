#include <sys/stat.h>

#include "contacts/file_system.h"
#include "platform/codepage/codepage.h"

namespace cdv {

const char16_t kPathSeparator = u'/';

bool FileExists(const std::u16string& path) {
  struct stat st;
  return stat(Utf16ToAnsi(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::u16string& path) {
  struct stat st;
  return stat(Utf16ToAnsi(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolder(const std::u16string& path) {
  mkdir(Utf16ToAnsi(path).c_str(), 0777);
  return FolderExists(path);
}

}  // namespace cdv
