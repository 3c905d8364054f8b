#pragma once
// What the contact card shows for one record: its name, up to three
// organisation lines and one labelled line per phone number and e-mail address.
#include <string>
#include <vector>

#include "contacts/records.h"

namespace cdv {

struct CardLine {
  std::u16string label;
  std::u16string value;
};

struct CardContent {
  std::u16string name;
  std::u16string organization[3];  // company, then data5 and data6 of organisation rows
  std::vector<CardLine> lines;
};

CardContent BuildCardContent(const ContactRecord& record, DataRecord* data, MimeTypeRecord* mimeTypes);

}  // namespace cdv
