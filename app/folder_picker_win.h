#pragma once
// The folder the user picks for a recover. The program asks the shell's
// folder picker; tests put their own answer in its place.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace cdv {

// Nothing when the user cancelled or the choice has no file-system path.
using FolderPicker = std::function<std::optional<std::wstring>(HWND owner)>;

// The shell's picker: owned by `owner`, rooted at the desktop, no flags and
// no callback, with the process's current folder as its caption text.
std::optional<std::wstring> ShellFolderPicker(HWND owner);

}  // namespace cdv
