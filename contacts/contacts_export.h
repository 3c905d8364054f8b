#pragma once
// Recover to disk: the ticked contacts, live and carved, written to
// <export folder>\<label>\contacts.txt.
#include <string>

#include "contacts/loaded_contacts.h"
#include "contacts/worker_control.h"

namespace cdv {

struct ExportRequest {
  std::u16string exportFolder;   // the time-stamped folder of this recover
  std::u16string contactsLabel;  // the Contacts item's label, e.g. "Contacts (120)"
  bool everyRecordTicked = true; // the Contacts item's check state is "all ticked"
  int selectedCount = 0;         // ticked records when the recover started; the progress's 100 %
};

enum class ExportStatus {
  Written,        // every ticked record handled
  NothingTicked,  // no file, no folder
  Stopped,        // stopped during the live contacts; the lines so far stay
  WriteFailed,    // the folder or the file could not be created or written
};

struct ExportResult {
  int result = 0;  // the ticked count, 0 with nothing ticked, -1 stopped, -2 write failed
  ExportStatus status = ExportStatus::NothingTicked;
  std::u16string filePath;
};

// The records the Recover command counts: ticked contacts of list 2, and the
// ticked carved records when there is carved text.
int CountTickedForRecover(const LoadedContacts& loaded);

// Writes "Contacts:", one line per data row of each ticked live contact, and,
// when carving found anything, the dash line, "Deleted:" and one line per
// ticked carved record. Adds each handled record to loaded.processedCount and
// reports progress against request.selectedCount.
//
// A folder or file that cannot be created or written ends the export at once
// with WriteFailed: lines already on disk stay, nothing is reported as
// written that was not.
ExportResult ExportContacts(const ExportRequest& request, LoadedContacts& loaded, WorkerControl& control);

}  // namespace cdv
