#pragma once

// UTF-8 <-> UTF-16 and system error texts for the Windows siblings. The relay
// works in UTF-8 inside, as the adb protocol does.

#include <string>

namespace cdv::adb {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
// FormatMessage's text for a Win32 or Winsock error code, without the line break.
std::string WindowsErrorText(unsigned long code);

}  // namespace cdv::adb
