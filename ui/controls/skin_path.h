#pragma once
// Where skin files live: the "image" folder beside the program file.
// Portable string rules, tested natively.

#include <string>

// The image folder for a program file: its directory followed by "\image\".
// The directory keeps a drive root's backslash, so "D:\app.exe" gives
// "D:\\image\" (the doubled backslash is accepted by the file system).
std::wstring ImageFolderForProgram(const std::wstring& programPath);
