// carve PATH: the recovery engine's carved text for a contacts database,
// written to standard output byte for byte.
#include <fstream>

#include "recovery/file_probe.h"
#include "recovery/sqlite_parse.h"
#include "tools/cli/cli_command.h"

namespace {

int Carve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: cardivane-cli carve PATH\n";
    return cdv::kExitUsage;
  }
  const std::string& path = args[0];
  // The engine reports nothing, so the front end tells a missing or
  // unreadable file apart from a database with nothing to recover.
  if (!cdv::IsExistingFile(path)) {
    err << "cardivane-cli: " << path << ": no such file\n";
    return cdv::kExitUsage;
  }
  if (!std::ifstream(path, std::ios::binary).is_open()) {
    err << "cardivane-cli: " << path << ": cannot be read\n";
    return cdv::kExitUsage;
  }
  SqliteParse engine(path, std::string());
  engine.startParse(ePaserContacts);
  const std::string text = engine.get_contacts_mem();
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  return out ? cdv::kExitOk : cdv::kExitFailure;
}

}  // namespace

CARDIVANE_CLI_COMMAND(carve, "carve", "PATH",
                      "recovers deleted contacts from the contacts2.db at PATH and prints one line per\n"
                      "      contact: first half TAB second half CR LF, \"N/A\" for a missing half",
                      Carve);
