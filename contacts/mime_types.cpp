#include "contacts/mime_types.h"

#include <cstring>

#include "contacts/list_walk.h"

namespace cdv {

RowKind KindOfMimeType(const char* mimeType) {
  if (mimeType == nullptr) return RowKind::Other;
  if (std::strcmp(mimeType, kPhoneMimeType) == 0) return RowKind::Phone;
  if (std::strcmp(mimeType, kEmailMimeType) == 0) return RowKind::Email;
  if (std::strcmp(mimeType, kOrganizationMimeType) == 0) return RowKind::Organization;
  return RowKind::Other;
}

const char* FindMimeType(const DataRecord& row, MimeTypeRecord* head) {
  const char* found = nullptr;
  ForEachRecord(head, [&](MimeTypeRecord& m) {
    if (m.id != row.mimeTypeId) return true;
    found = m.mimeType;
    return false;
  });
  return found;
}

const char* FindLastMimeType(const DataRecord& row, MimeTypeRecord* head) {
  const char* found = nullptr;
  ForEachRecord(head, [&](MimeTypeRecord& m) {
    if (m.id == row.mimeTypeId) found = m.mimeType;
  });
  return found;
}

MimeTypeIndex::MimeTypeIndex(MimeTypeRecord* head) {
  ForEachRecord(head, [&](MimeTypeRecord& m) { kinds_.emplace(m.id, KindOfMimeType(m.mimeType)); });
}

RowKind MimeTypeIndex::KindOf(const DataRecord& row) const {
  const auto it = kinds_.find(row.mimeTypeId);
  return it == kinds_.end() ? RowKind::Other : it->second;
}

}  // namespace cdv
