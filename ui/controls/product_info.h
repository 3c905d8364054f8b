#pragma once
// Process-wide product values fixed at start-up.

#include <string>

// The product title shown on the skinned windows and passed to the updater.
extern const wchar_t kProductTitle[];

// The version read from (or written to) the user's registry at start-up;
// empty when the registry key could not be opened.
const std::wstring& ProductVersion();
void SetProductVersion(const std::wstring& version);
