#pragma once
// The name each consumer shows for a contact, and widening of record text.
#include <string>

#include "contacts/records.h"

namespace cdv {

// display_name_source of a name taken from a structured name row.
constexpr int kStructuredNameSource = 40;

// Record text (narrow code page) to UTF-16; null gives empty text.
std::u16string Widen(const char* ansi);

// The list shows `name` as it is, whatever its source.
inline std::u16string ListName(const ContactRecord& c) { return Widen(c.name); }

// The contact card: the name when it comes from a structured name, else "No Name".
std::u16string CardName(const ContactRecord& c);

// The export file numbers the contacts without a structured name: "No Name0",
// "No Name1", ... from 0 in each export.
class ExportNamer {
 public:
  std::u16string NameOf(const ContactRecord& c);

 private:
  int counter_ = 0;
};

}  // namespace cdv
