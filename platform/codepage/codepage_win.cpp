// Windows: conversions through the system with the active code page (CP_ACP).
#include <windows.h>

#include "platform/codepage/codepage.h"

namespace cdv {
namespace {

std::wstring Widen(UINT codePage, DWORD flags, std::string_view in, bool* ok) {
  *ok = true;
  if (in.empty()) return {};
  const int len = MultiByteToWideChar(codePage, flags, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (len <= 0) {
    *ok = false;
    return {};
  }
  std::wstring out(static_cast<size_t>(len), L'\0');
  MultiByteToWideChar(codePage, flags, in.data(), static_cast<int>(in.size()), &out[0], len);
  return out;
}

std::string Narrow(const wchar_t* in, size_t size) {
  if (size == 0) return {};
  const int len = WideCharToMultiByte(CP_ACP, 0, in, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
  if (len <= 0) return {};
  std::string out(static_cast<size_t>(len), '\0');
  WideCharToMultiByte(CP_ACP, 0, in, static_cast<int>(size), &out[0], len, nullptr, nullptr);
  return out;
}

}  // namespace

std::string Utf8ToAnsi(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return {};
  bool ok = false;
  const std::wstring wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, &ok);
  if (!ok) return {};
  return Narrow(wide.data(), wide.size());
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  bool ok = false;
  const std::wstring wide = Widen(CP_ACP, 0, ansi, &ok);
  return std::u16string(wide.begin(), wide.end());
}

std::string Utf16ToAnsi(std::u16string_view utf16) {
  const std::wstring wide(utf16.begin(), utf16.end());
  return Narrow(wide.data(), wide.size());
}

}  // namespace cdv
