#pragma once
// What the record list shows: deleted rows first, in carving order, then one
// row per live contact in the reader's order.
#include <string>
#include <vector>

#include "contacts/loaded_contacts.h"

namespace cdv {

struct ListRow {
  std::u16string name;
  std::u16string phone;
  std::u16string company;
  std::u16string email;
  ContactRecord* record = nullptr;  // the row's item data
  bool checked = false;
};

std::vector<ListRow> BuildListRows(const LoadedContacts& loaded);

}  // namespace cdv
