#pragma once
// The contacts-database reader: opens contacts2.db through SQLite, read-only,
// and builds the four record lists.
//
//   list 1  one AuxRecord per account
//   list 2  one ContactRecord per raw contact, in row-id order; a raw contact
//           the provider has only flagged deleted (waiting for its account's
//           sync, its rows still present) is listed like any other, with the
//           flag kept in `flaggedDeleted`
//   list 3  one DataRecord per data row, in row-id order
//   list 4  the mimetypes table
//
// Text is converted from the database's UTF-8 to the narrow code page; text
// that is not valid UTF-8 becomes empty, binary values (photos) are null. A
// file that is not a contacts database gives empty lists; a damaged one gives
// what could be read before the damage.
#include <memory>
#include <string>

#include "contacts/contacts_reader.h"
#include "contacts/records.h"
#include "platform/siftdb/record_arena.h"

namespace cdv {

struct SiftDbResult {
  ReaderLists lists;
  std::shared_ptr<RecordArena> storage;  // owns every record and string of `lists`
  int contactCount = 0;
  bool opened = false;  // false: not a readable contacts database
};

SiftDbResult ReadContactsDatabase(const std::string& ansiPath);

// The reader code linked in directly (native builds, tests, command line):
// each result owns its records.
class LinkedContactsReader : public ContactsReader {
 public:
  ReaderResult Read(const std::string& ansiPath) override;
};

}  // namespace cdv
