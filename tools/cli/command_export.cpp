// export PATH FOLDER: writes the contacts.txt that Recover writes with every
// record ticked, in a new time-stamped folder under FOLDER, and prints its path.
#include "contacts/contacts_export.h"
#include "contacts/export_paths.h"
#include "contacts/file_system.h"
#include "contacts/local_time.h"
#include "platform/codepage/codepage.h"
#include "tools/cli/cli_command.h"
#include "tools/cli/contacts_scan.h"

namespace {

int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: cardivane-cli export PATH FOLDER\n";
    return cdv::kExitUsage;
  }
  const std::u16string folder = cdv::AnsiToUtf16(args[1]);
  if (!cdv::FolderExists(folder)) {
    err << "cardivane-cli: " << args[1] << ": no such folder\n";
    return cdv::kExitUsage;
  }
  cdv::ContactsScan scan;
  if (!cdv::ScanContacts(args[0], scan, err)) return cdv::kExitUsage;
  const int ticked = cdv::CountTickedForRecover(scan.loaded);
  if (!scan.control.hasData() || ticked == 0) {
    err << "cardivane-cli: " << args[0] << ": no contacts to recover\n";
    return cdv::kExitFailure;
  }

  cdv::ExportRequest request;
  request.exportFolder = cdv::CreateRecoverFolder(folder, cdv::LocalTimeNow());
  request.contactsLabel = scan.control.label();
  request.everyRecordTicked = true;
  request.selectedCount = ticked;
  scan.loaded.processedCount = 0;
  const cdv::ExportResult result = cdv::ExportContacts(request, scan.loaded, scan.control);
  if (result.status != cdv::ExportStatus::Written) {
    err << "cardivane-cli: " << cdv::Utf16ToUtf8(result.filePath) << ": cannot be written\n";
    return cdv::kExitFailure;
  }
  out << cdv::Utf16ToUtf8(result.filePath) << '\n';
  out.flush();
  return out ? cdv::kExitOk : cdv::kExitFailure;
}

}  // namespace

CARDIVANE_CLI_COMMAND(export, "export", "PATH FOLDER",
                      "recovers the contacts of the contacts2.db at PATH, live and deleted, into\n"
                      "      FOLDER/Cardivane<time>/Contacts (N)/contacts.txt (UTF-16) and prints that path",
                      Export);
