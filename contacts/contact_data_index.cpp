#include "contacts/contact_data_index.h"

#include <algorithm>

#include "contacts/list_walk.h"

namespace cdv {

ContactDataIndex::ContactDataIndex(DataRecord* head) {
  ForEachRecord(head, [&](DataRecord& row) { rows_.emplace_back(row.rawContactId, &row); });
  std::stable_sort(rows_.begin(), rows_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

ContactDataIndex::Range ContactDataIndex::RowsOf(int rawContactId) const {
  const auto range = std::equal_range(
      rows_.begin(), rows_.end(), std::pair<int, DataRecord*>(rawContactId, nullptr),
      [](const auto& a, const auto& b) { return a.first < b.first; });
  return {rows_.data() + (range.first - rows_.begin()), rows_.data() + (range.second - rows_.begin())};
}

}  // namespace cdv
