#include "contacts/tk_txt_file.h"

namespace cdv {
namespace {

void PutUnit(std::string& out, char16_t unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>(unit >> 8));
}

}  // namespace

std::string Utf16TextLineBytes(std::u16string_view line, bool withByteOrderMark) {
  std::string out;
  out.reserve(2 * line.size() + 6);
  if (withByteOrderMark) PutUnit(out, 0xFEFF);
  for (char16_t unit : line) {
    if (unit == u'\n') PutUnit(out, u'\r');
    PutUnit(out, unit);
  }
  PutUnit(out, u'\r');
  PutUnit(out, u'\n');
  return out;
}

}  // namespace cdv
