#include "contacts/card_content.h"

#include "contacts/carved_records.h"
#include "contacts/display_names.h"
#include "contacts/list_walk.h"
#include "contacts/mime_types.h"
#include "contacts/type_labels.h"
#include "platform/codepage/codepage.h"

namespace cdv {
namespace {

void FillOnce(std::u16string& line, const char* value) {
  if (line.empty()) line = Widen(value);
}

}  // namespace

CardContent BuildCardContent(const ContactRecord& record, DataRecord* data, MimeTypeRecord* mimeTypes) {
  CardContent card;
  if (record.deleted != 0) {
    const auto parts = SplitCarvedLine(record.name);
    if (parts) {
      card.name = AnsiToUtf16(parts->name);
      card.lines.push_back({u"Mobile:", AnsiToUtf16(parts->number)});
    }
    return card;
  }

  card.name = CardName(record);
  ForEachRecord(data, [&](DataRecord& row) {
    if (row.rawContactId != record.id) return;
    switch (KindOfMimeType(FindLastMimeType(row, mimeTypes))) {
      case RowKind::Organization:
        FillOnce(card.organization[0], row.data1);
        FillOnce(card.organization[1], row.data5);
        FillOnce(card.organization[2], row.data6);
        break;
      case RowKind::Phone:
        card.lines.push_back({PhoneTypeLabel(ReadTypeCode(row.data2)), Widen(row.data1)});
        break;
      case RowKind::Email: {
        const char16_t* label = EmailTypeLabel(ReadTypeCode(row.data2));
        card.lines.push_back({*label ? label : u"Email", Widen(row.data1)});
        break;
      }
      case RowKind::Other: break;
    }
  });
  return card;
}

}  // namespace cdv
