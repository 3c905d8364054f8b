// list PATH: the rows the record list shows for a contacts database, deleted
// rows first, as Name TAB Phone TAB Company TAB Email, UTF-8.
#include "contacts/list_rows.h"
#include "platform/codepage/codepage.h"
#include "tools/cli/cli_command.h"
#include "tools/cli/contacts_scan.h"

namespace {

int List(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: cardivane-cli list PATH\n";
    return cdv::kExitUsage;
  }
  cdv::ContactsScan scan;
  if (!cdv::ScanContacts(args[0], scan, err)) return cdv::kExitUsage;
  // The list is filled only once the Contacts item has data.
  if (!scan.control.hasData()) return cdv::kExitOk;
  for (const cdv::ListRow& row : cdv::BuildListRows(scan.loaded)) {
    out << cdv::Utf16ToUtf8(row.name) << '\t' << cdv::Utf16ToUtf8(row.phone) << '\t'
        << cdv::Utf16ToUtf8(row.company) << '\t' << cdv::Utf16ToUtf8(row.email) << '\n';
  }
  out.flush();
  return out ? cdv::kExitOk : cdv::kExitFailure;
}

}  // namespace

CARDIVANE_CLI_COMMAND(list, "list", "PATH",
                      "lists the live and recovered contacts of the contacts2.db at PATH, deleted ones\n"
                      "      first: Name TAB Phone TAB Company TAB Email, UTF-8",
                      List);
