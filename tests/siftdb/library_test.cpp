// siftdb.dll as the program loads it: LoadLibrary beside the executable, the
// function by ordinal 1, cdecl, the four heads written through pointers.
#include <windows.h>

#include <gtest/gtest.h>

#include "contacts/list_walk.h"
#include "contacts_db_fixture.h"
#include "platform/codepage/codepage.h"
#include "platform/siftdb/siftdb_entry.h"
#include "platform/siftdb/siftdb_library_win.h"
#include "../contacts/temp_folder.h"

namespace cdv {
namespace {

std::string MakeDb(const test::TempFolder& folder) {
  const auto path = folder.path() / std::filesystem::u8path("Kontakte \xC3\xBC" "ber.db");
  test::ContactsDb db(path, test::Layout::Modern);
  db.Exec("INSERT INTO raw_contacts (_id, display_name, display_name_source) VALUES "
          "(11, '\xE5\x91\xA8\xE8\x8A\xB3', 40), (12, 'Ann', 20)");
  db.Exec("INSERT INTO data (mimetype_id, raw_contact_id, data1, data2) VALUES (5, 11, '555', '2'),"
          "(1, 12, 'a@b.example', '1')");
  return Utf16ToAnsi(path.u16string());
}

TEST(SiftDbLibrary, ReadsByOrdinal) {
  test::TempFolder folder;
  const std::string path = MakeDb(folder);

  SiftDbLibraryReader reader;
  ASSERT_TRUE(reader.loaded());
  const ReaderResult read = reader.Read(path);
  EXPECT_EQ(read.storage, nullptr);  // the library keeps its records
  ASSERT_NE(read.lists.contacts, nullptr);
  EXPECT_EQ(read.lists.contacts->id, 11);
  EXPECT_STREQ(read.lists.contacts->name, "\xE5\x91\xA8\xE8\x8A\xB3");
  ASSERT_NE(read.lists.contacts->next, nullptr);
  EXPECT_EQ(read.lists.contacts->next->nameSource, 20);
  EXPECT_EQ(CountRecords(read.lists.data), 2u);
  EXPECT_STREQ(read.lists.data->data1, "555");
  EXPECT_EQ(CountRecords(read.lists.mimeTypes), 11u);
  EXPECT_EQ(CountRecords(read.lists.aux), 0u);
  read.lists.contacts->ticked = 1;  // writable
}

TEST(SiftDbLibrary, ExportsOnlyOrdinalOneCdecl) {
  HMODULE module = LoadLibraryW(L"siftdb.dll");
  ASSERT_NE(module, nullptr);
  auto read = reinterpret_cast<SiftDbReadContactsFn>(
      reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(1))));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(GetProcAddress(module, "SiftDbReadContacts"), nullptr);

  AuxRecord* aux = reinterpret_cast<AuxRecord*>(1);
  ContactRecord* contacts = reinterpret_cast<ContactRecord*>(1);
  DataRecord* data = reinterpret_cast<DataRecord*>(1);
  MimeTypeRecord* mimeTypes = reinterpret_cast<MimeTypeRecord*>(1);
  EXPECT_EQ(read("C:\\no such folder\\contacts2.db", &aux, &contacts, &data, &mimeTypes), -1);
  EXPECT_EQ(aux, nullptr);
  EXPECT_EQ(contacts, nullptr);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(mimeTypes, nullptr);
  EXPECT_EQ(read(nullptr, nullptr, nullptr, nullptr, nullptr), -1);

  test::TempFolder folder;
  EXPECT_EQ(read(MakeDb(folder).c_str(), nullptr, &contacts, nullptr, nullptr), 2);
  EXPECT_NE(contacts, nullptr);
}

TEST(SiftDbLibrary, MissingLibraryReadsNothing) {
  SiftDbLibraryReader reader(L"C:\\no such folder\\siftdb.dll");
  EXPECT_FALSE(reader.loaded());
  EXPECT_EQ(reader.Read("x").lists.contacts, nullptr);
}

}  // namespace
}  // namespace cdv
