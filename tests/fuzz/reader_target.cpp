#include <algorithm>

#include "contacts/card_content.h"
#include "contacts/contacts_export.h"
#include "contacts/list_rows.h"
#include "contacts/loading.h"
#include "contacts/pause_gate.h"
#include "platform/codepage/codepage.h"
#include "platform/siftdb/siftdb_reader.h"
#include "tests/fuzz/fuzz_targets.h"

namespace cdvfuzz {

int Reader(const uint8_t* data, size_t size) {
  const std::string path = WriteDatabase(data, size);
  cdv::LinkedContactsReader reader;
  cdv::PortableLoadControl control;
  cdv::LoadedContacts loaded;
  // Carved text of the shapes the engine writes, so deleted rows reach the views too.
  loaded.carvedText = "Ann\tN/A\r\nN/A\t555\r\n";
  cdv::LoadContacts(path, reader, loaded, control);

  const std::vector<cdv::ListRow> rows = cdv::BuildListRows(loaded);
  const size_t cards = std::min<size_t>(rows.size(), 64);
  for (size_t i = 0; i < cards; ++i) {
    if (rows[i].record == nullptr) __builtin_trap();
    (void)cdv::BuildCardContent(*rows[i].record, loaded.lists.data, loaded.lists.mimeTypes);
  }

  const int ticked = cdv::CountTickedForRecover(loaded);
  if (ticked > 0) {
    cdv::ExportRequest request;
    request.exportFolder = cdv::AnsiToUtf16(ScratchFolder());
    request.contactsLabel = u"Contacts";
    request.selectedCount = ticked;
    loaded.processedCount = 0;
    const cdv::ExportResult result = cdv::ExportContacts(request, loaded, control);
    if (result.status != cdv::ExportStatus::Written) __builtin_trap();
  }
  return 0;
}

}  // namespace cdvfuzz
