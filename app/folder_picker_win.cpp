#include "app/folder_picker_win.h"

#include "app/recover_folder_preset_win.h"

#include <shlobj.h>

#include <vector>

namespace cdv {

std::optional<std::wstring> ShellFolderPicker(HWND owner) {
  if (std::optional<std::wstring> preset = PresetRecoverFolder()) return preset;
  std::vector<wchar_t> current(::GetCurrentDirectoryW(0, nullptr) + 1, L'\0');
  ::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());

  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = current.data();
  PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
  if (chosen == nullptr) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const BOOL isFolder = ::SHGetPathFromIDListW(chosen, path);
  ::CoTaskMemFree(chosen);
  if (!isFolder) return std::nullopt;
  return std::wstring(path);
}

}  // namespace cdv
