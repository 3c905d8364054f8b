#pragma once
// Carved text (the recovery engine's output: lines "first TAB second CR LF")
// and the carved records built from it, one per line.
#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "contacts/records.h"

namespace cdv {

// The part before the first TAB is shown as the name, everything after it
// (further TABs included) as the number.
struct CarvedLineParts {
  std::string_view name;
  std::string_view number;
};
std::optional<CarvedLineParts> SplitCarvedLine(const char* line);

// Lines end with CR LF; a trailing piece without one is not a line.
size_t CountCarvedLines(std::string_view text);

template <class Fn>
void ForEachCarvedLine(std::string_view text, Fn&& fn) {
  size_t start = 0;
  for (;;) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) return;
    fn(text.substr(start, end - start));
    start = end + 2;
  }
}

// The carved-record list: owns each record and its `name` array, keeps them in
// carving order at stable addresses (list rows point at them).
class CarvedRecords {
 public:
  CarvedRecords() = default;
  CarvedRecords(const CarvedRecords&) = delete;
  CarvedRecords& operator=(const CarvedRecords&) = delete;
  CarvedRecords(CarvedRecords&&) = default;
  CarvedRecords& operator=(CarvedRecords&&) = default;

  // id = the line's number (its position), ticked, deleted, name = the line.
  ContactRecord* Append(std::string_view line);
  void Clear() { records_.clear(); }

  size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  ContactRecord* operator[](size_t i) const { return &records_[i]->record; }

  template <class Fn>
  void ForEach(Fn&& fn) const {
    for (const auto& r : records_) fn(r->record);
  }

 private:
  struct Carved {
    ContactRecord record;
    std::unique_ptr<char[]> name;
  };
  std::vector<std::unique_ptr<Carved>> records_;
};

}  // namespace cdv
