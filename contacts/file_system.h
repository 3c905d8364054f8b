#pragma once
// The few file-system calls the loader and the export make, on UTF-16 paths.
#include <string>

namespace cdv {

extern const char16_t kPathSeparator;  // '\' on Windows, '/' elsewhere

bool FileExists(const std::u16string& path);  // anything but a folder
bool FolderExists(const std::u16string& path);
// Creates one folder level; true when the folder exists afterwards.
bool CreateFolder(const std::u16string& path);

inline std::u16string JoinPath(const std::u16string& folder, const std::u16string& name) {
  if (folder.empty() || folder.back() == kPathSeparator || folder.back() == u'/') return folder + name;
  return folder + kPathSeparator + name;
}

}  // namespace cdv
