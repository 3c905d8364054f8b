#pragma once
// The loader's view of the contacts-database reader: the reader library loaded
// by ordinal in the program, the same reader code linked in directly elsewhere.
#include <memory>
#include <string>

#include "contacts/records.h"

namespace cdv {

struct ReaderResult {
  ReaderLists lists;
  // Owns the records when the reader hands them over; empty when the reader
  // keeps them alive itself for the rest of the process.
  std::shared_ptr<void> storage;
};

class ContactsReader {
 public:
  virtual ~ContactsReader() = default;
  // `ansiPath` is the database path in the narrow code page.
  virtual ReaderResult Read(const std::string& ansiPath) = 0;
};

}  // namespace cdv
