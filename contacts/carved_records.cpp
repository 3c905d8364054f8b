#include "contacts/carved_records.h"

#include <cstring>

namespace cdv {

std::optional<CarvedLineParts> SplitCarvedLine(const char* line) {
  if (line == nullptr) return std::nullopt;
  const std::string_view text(line);
  const size_t tab = text.find('\t');
  if (tab == std::string_view::npos) return std::nullopt;
  return CarvedLineParts{text.substr(0, tab), text.substr(tab + 1)};
}

size_t CountCarvedLines(std::string_view text) {
  size_t n = 0;
  for (size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 1)) ++n;
  return n;
}

ContactRecord* CarvedRecords::Append(std::string_view line) {
  auto carved = std::make_unique<Carved>();
  carved->name = std::make_unique<char[]>(line.size() + 1);
  std::memcpy(carved->name.get(), line.data(), line.size());
  carved->name[line.size()] = '\0';
  ContactRecord& r = carved->record;
  r = ContactRecord{};
  r.id = static_cast<int>(records_.size());
  r.ticked = 1;
  r.deleted = 1;
  r.name = carved->name.get();
  records_.push_back(std::move(carved));
  return &r;
}

}  // namespace cdv
