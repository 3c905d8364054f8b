#pragma once
// The program's way to the reader: siftdb.dll beside the executable, its
// function found by ordinal 1. The library stays loaded for the life of the
// process, as the records it returns must.
#include <windows.h>

#include <string>

#include "contacts/contacts_reader.h"
#include "platform/siftdb/siftdb_entry.h"

namespace cdv {

class SiftDbLibraryReader : public ContactsReader {
 public:
  // An empty path means siftdb.dll in the executable's folder.
  explicit SiftDbLibraryReader(const std::wstring& dllPath = {});

  bool loaded() const { return read_ != nullptr; }
  ReaderResult Read(const std::string& ansiPath) override;

 private:
  SiftDbReadContactsFn read_ = nullptr;
};

}  // namespace cdv
