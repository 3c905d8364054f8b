#pragma once
// The data rows of each contact, in list 3 order. The views and the export
// look up one contact's rows many times; walking the whole of list 3 for each
// contact would cost contacts x rows.
#include <utility>
#include <vector>

#include "contacts/records.h"

namespace cdv {

class ContactDataIndex {
 public:
  explicit ContactDataIndex(DataRecord* head);

  struct Range {
    const std::pair<int, DataRecord*>* first;
    const std::pair<int, DataRecord*>* last;
    const std::pair<int, DataRecord*>* begin() const { return first; }
    const std::pair<int, DataRecord*>* end() const { return last; }
  };
  // The rows whose rawContactId is `rawContactId`, in list order.
  Range RowsOf(int rawContactId) const;

 private:
  std::vector<std::pair<int, DataRecord*>> rows_;  // sorted by id, stable
};

}  // namespace cdv
