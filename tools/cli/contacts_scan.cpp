#include "tools/cli/contacts_scan.h"

#include <fstream>

#include "contacts/loading.h"
#include "platform/siftdb/siftdb_reader.h"
#include "recovery/file_probe.h"
#include "recovery/sqlite_parse.h"

namespace cdv {

bool ScanContacts(const std::string& path, ContactsScan& scan, std::ostream& err) {
  if (!IsExistingFile(path)) {
    err << "cardivane-cli: " << path << ": no such file\n";
    return false;
  }
  if (!std::ifstream(path, std::ios::binary).is_open()) {
    err << "cardivane-cli: " << path << ": cannot be read\n";
    return false;
  }
  {
    SqliteParse engine(path, std::string());
    engine.startParse(ePaserContacts);
    scan.loaded.carvedText = engine.get_contacts_mem();
  }
  LinkedContactsReader reader;
  LoadContacts(path, reader, scan.loaded, scan.control);
  return true;
}

}  // namespace cdv
