#include "contacts/type_labels.h"

#include <climits>

namespace cdv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

int ReadTypeCode(const char* text) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (value <= INT_MAX) value = value * 10 + (*p - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

const char16_t* PhoneTypeLabel(int code) {
  static const char16_t* const kLabels[] = {
      u"",          u"Home",   u"Mobile",      u"Work",       u"WorkFax",   u"HomeFax",  u"Pager",
      u"Other",     u"",       u"",            u"CompanyMain", u"ISDN",     u"",         u"OtherFax",
      u"Radio",     u"Telex",  u"TTY_TTD",     u"WorkMobile", u"WorkPager", u"Assistant", u"MMS"};
  if (code < 0 || code >= static_cast<int>(sizeof kLabels / sizeof kLabels[0])) return u"";
  return kLabels[code];
}

const char16_t* EmailTypeLabel(int code) {
  switch (code) {
    case 1: return u"Home Email";
    case 2: return u"Work Email";
    case 3: return u"Other Email";
    case 4: return u"Mobile Email";
    default: return u"";
  }
}

}  // namespace cdv
