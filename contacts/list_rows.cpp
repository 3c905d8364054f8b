#include "contacts/list_rows.h"

#include "contacts/contact_data_index.h"
#include "contacts/display_names.h"
#include "contacts/list_walk.h"
#include "contacts/mime_types.h"
#include "platform/codepage/codepage.h"

namespace cdv {
namespace {

void FillOnce(std::u16string& column, const char* value) {
  if (column.empty()) column = Widen(value);
}

}  // namespace

std::vector<ListRow> BuildListRows(const LoadedContacts& loaded) {
  std::vector<ListRow> rows;
  if (!loaded.carvedText.empty()) {
    loaded.carved.ForEach([&](ContactRecord& c) {
      const auto parts = SplitCarvedLine(c.name);
      if (!parts) return;
      ListRow row;
      row.name = AnsiToUtf16(parts->name);
      row.phone = AnsiToUtf16(parts->number);
      row.record = &c;
      row.checked = IsTicked(c);
      rows.push_back(std::move(row));
    });
  }

  const MimeTypeIndex kinds(loaded.lists.mimeTypes);
  const ContactDataIndex data(loaded.lists.data);
  ForEachRecord(loaded.lists.contacts, [&](ContactRecord& c) {
    ListRow row;
    row.name = ListName(c);
    for (const auto& entry : data.RowsOf(c.id)) {
      const DataRecord& d = *entry.second;
      switch (kinds.KindOf(d)) {
        case RowKind::Phone: FillOnce(row.phone, d.data1); break;
        case RowKind::Organization: FillOnce(row.company, d.data1); break;
        case RowKind::Email: FillOnce(row.email, d.data1); break;
        case RowKind::Other: break;
      }
    }
    row.record = &c;
    row.checked = IsTicked(c);
    rows.push_back(std::move(row));
  });
  return rows;
}

}  // namespace cdv
