#include "tests/mainwindow/expected_load.h"

#include <windows.h>

#include "contacts/carved_records.h"
#include "contacts/list_walk.h"
#include "platform/codepage/codepage.h"
#include "platform/siftdb/siftdb_reader.h"
#include "recovery/sqlite_parse.h"
#include "tests/ui/harness/ui_harness.h"

namespace mwtest {

ExpectedLoad ExpectLoadOf(const std::wstring& database) {
  uitest::ScratchFolder scratch(L"expected");
  const std::wstring copy = scratch.File(L"contacts2.db");
  CopyFileW(database.c_str(), copy.c_str(), FALSE);
  const std::string ansi = cdv::Utf16ToAnsi(std::u16string(copy.begin(), copy.end()));

  ExpectedLoad expected;
  {
    const cdv::SiftDbResult read = cdv::ReadContactsDatabase(ansi);
    cdv::ForEachRecord(read.lists.contacts, [&](cdv::ContactRecord&) { ++expected.live; });
  }
  {
    SqliteParse engine(ansi, ansi.substr(0, ansi.rfind('\\') + 1) + "mmssms.db");
    engine.startParse(ePaserContacts);
    expected.carvedText = engine.get_contacts_mem();
  }
  cdv::ForEachCarvedLine(expected.carvedText, [&](std::string_view line) {
    ++expected.carvedLines;
    if (line.find('\t') != std::string_view::npos) ++expected.carvedRows;
  });
  return expected;
}

}  // namespace mwtest
