#include "app/recover_folder_preset_win.h"

#include <windows.h>

#include <vector>

namespace cdv {

std::optional<std::wstring> PresetRecoverFolder() {
  const wchar_t* name = L"CARDIVANE_RECOVER_FOLDER";
  const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size <= 1) return std::nullopt;
  std::vector<wchar_t> value(size, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(name, value.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  return std::wstring(value.data(), length);
}

}  // namespace cdv
