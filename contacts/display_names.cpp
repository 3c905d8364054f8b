#include "contacts/display_names.h"

#include <cstring>

#include "platform/codepage/codepage.h"

namespace cdv {

std::u16string Widen(const char* ansi) {
  if (ansi == nullptr) return {};
  return AnsiToUtf16(std::string_view(ansi, std::strlen(ansi)));
}

std::u16string CardName(const ContactRecord& c) {
  return c.nameSource == kStructuredNameSource ? Widen(c.name) : u"No Name";
}

std::u16string ExportNamer::NameOf(const ContactRecord& c) {
  if (c.nameSource == kStructuredNameSource) return Widen(c.name);
  std::u16string name = u"No Name";
  for (char digit : std::to_string(counter_++)) name.push_back(static_cast<char16_t>(digit));
  return name;
}

}  // namespace cdv
