#pragma once
// Everything one load produces and the views, ticks and export read: the
// reader's list heads, the carved text and its records, and the counters
// that drive the progress bar.
#include <memory>
#include <string>

#include "contacts/carved_records.h"
#include "contacts/records.h"

namespace cdv {

struct LoadedContacts {
  ReaderLists lists;
  // Holds the lists' storage when the reader hands it over (the linked reader);
  // empty when the reader library keeps it for the life of the process.
  std::shared_ptr<void> listsStorage;
  std::string carvedText;
  CarvedRecords carved;
  int totalCount = 0;      // grows with each counting pass
  int processedCount = 0;  // loaded, later exported, records

  // A reload: forget the lists, free the carved records, reset the counters.
  void Clear() {
    lists = ReaderLists{};
    listsStorage.reset();
    carvedText.clear();
    carved.Clear();
    totalCount = 0;
    processedCount = 0;
  }
};

}  // namespace cdv
