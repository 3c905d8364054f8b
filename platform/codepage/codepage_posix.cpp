// Outside Windows the narrow code page is UTF-8.
#include "platform/codepage/codepage.h"

namespace cdv {

std::string Utf8ToAnsi(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return {};
  return std::string(utf8);
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  const auto* p = reinterpret_cast<const unsigned char*>(ansi.data());
  const size_t n = ansi.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char c = p[i];
    size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (len == 0 || n - i < len || !IsValidUtf8(ansi.substr(i, len))) {
      out.push_back(u'\xFFFD');  // as the system converter does with a stray byte
      ++i;
      continue;
    }
    char32_t cp = len == 1 ? c : (c & (0xFF >> (len + 1)));
    for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (p[i + k] & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

std::string Utf16ToAnsi(std::u16string_view utf16) { return Utf16ToUtf8(utf16); }

}  // namespace cdv
