#include <string>

#include "contacts/carved_records.h"
#include "contacts/type_labels.h"
#include "tests/fuzz/fuzz_targets.h"

namespace cdvfuzz {

int CarvedText(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  cdv::CarvedRecords carved;
  size_t lines = 0;
  cdv::ForEachCarvedLine(text, [&](std::string_view line) {
    ++lines;
    const cdv::ContactRecord* r = carved.Append(line);
    if (const auto parts = cdv::SplitCarvedLine(r->name)) {
      // The halves lie inside the record's own copy of the line.
      if (parts->name.data() != r->name || parts->number.data() + parts->number.size() > r->name + line.size() + 1)
        __builtin_trap();
    }
  });
  if (lines != cdv::CountCarvedLines(text) || carved.size() != lines) __builtin_trap();

  // The text as a type code, and every NUL-separated piece of it.
  for (size_t start = 0; start <= text.size();) {
    const size_t end = text.find('\0', start);
    const std::string piece = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const int code = cdv::ReadTypeCode(piece.c_str());
    if (cdv::PhoneTypeLabel(code) == nullptr || cdv::EmailTypeLabel(code) == nullptr) __builtin_trap();
    if (end == std::string::npos) break;
    start = end + 1;
  }
  (void)cdv::ReadTypeCode(nullptr);
  return 0;
}

}  // namespace cdvfuzz
