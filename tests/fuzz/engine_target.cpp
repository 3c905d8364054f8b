#include "contacts/carved_records.h"
#include "recovery/sqlite_parse.h"
#include "tests/fuzz/fuzz_targets.h"

namespace cdvfuzz {

int Engine(const uint8_t* data, size_t size) {
  const std::string path = WriteDatabase(data, size);
  std::string text;
  {
    SqliteParse engine(path, std::string());
    engine.startParse(ePaserContacts);
    text = engine.get_contacts_mem();
  }
  cdv::CarvedRecords carved;
  cdv::ForEachCarvedLine(text, [&](std::string_view line) {
    const cdv::ContactRecord* r = carved.Append(line);
    (void)cdv::SplitCarvedLine(r->name);
  });
  if (carved.size() != cdv::CountCarvedLines(text)) __builtin_trap();
  return 0;
}

}  // namespace cdvfuzz
