#pragma once
// Classifying data rows by their mimetype (the mimetypes table, list 4).
#include <unordered_map>

#include "contacts/records.h"

namespace cdv {

inline constexpr char kPhoneMimeType[] = "vnd.android.cursor.item/phone_v2";
inline constexpr char kEmailMimeType[] = "vnd.android.cursor.item/email_v2";
inline constexpr char kOrganizationMimeType[] = "vnd.android.cursor.item/organization";

// The three kinds of row the views and the export use; everything else,
// including a row whose mimetype id has no record, is Other.
enum class RowKind { Other, Phone, Email, Organization };

RowKind KindOfMimeType(const char* mimeType);  // byte for byte, case-sensitive

// The mimetype string of a row: the first record of list 4 with the row's id
// (the list and the export), or null.
const char* FindMimeType(const DataRecord& row, MimeTypeRecord* head);

// The contact card walks the whole list: the last record with the id counts.
const char* FindLastMimeType(const DataRecord& row, MimeTypeRecord* head);

// FindMimeType's answer for every id at once, for walks over many rows.
class MimeTypeIndex {
 public:
  explicit MimeTypeIndex(MimeTypeRecord* head);
  RowKind KindOf(const DataRecord& row) const;

 private:
  std::unordered_map<int, RowKind> kinds_;
};

}  // namespace cdv
