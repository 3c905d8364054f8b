// The contacts-database reader on databases built with Android's schema:
// the four lists, text conversion, files that are not contacts databases, and
// a copy that is never touched.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "contacts/list_walk.h"
#include "contacts_db_fixture.h"
#include "platform/codepage/codepage.h"
#include "platform/siftdb/siftdb_reader.h"
#include "../contacts/temp_folder.h"

namespace cdv {
namespace {

std::string Ansi(const std::filesystem::path& p) { return Utf16ToAnsi(p.u16string()); }

template <class R>
std::vector<R*> Collect(R* head) {
  std::vector<R*> out;
  ForEachRecord(head, [&](R& r) { out.push_back(&r); });
  return out;
}

void FillPhone(test::ContactsDb& db) {
  db.Exec("INSERT INTO accounts (_id, account_name, account_type, data_set) VALUES "
          "(1, NULL, NULL, NULL), (2, 'me@gmail.example', 'com.google', 'plus')");
  db.Exec("INSERT INTO raw_contacts (_id, account_id, contact_id, display_name, display_name_source, deleted, "
          "sort_key) VALUES "
          "(3001, 1, 901, '周芳', 40, 0, '周芳'),"
          "(3000, 2, 900, '+1 555 0100', 20, 0, '+1'),"
          "(3005, 2, NULL, 'Zoë Schröder', 40, 1, 'Zoe'),"
          "(3006, 1, 905, NULL, 0, 0, NULL)");
  db.Exec("INSERT INTO data (_id, mimetype_id, raw_contact_id, is_primary, is_super_primary, data1, data2, data3, "
          "data4, data5, data6, data15) VALUES "
          "(7001, 7, 3001, 0, 0, '周芳', '芳', '周', NULL, NULL, NULL, NULL),"
          "(7002, 5, 3001, 1, 1, '186 2328 6012', '2', NULL, '+8618623286012', NULL, NULL, NULL),"
          "(7003, 5, 3001, 0, 0, '555', 3, NULL, NULL, NULL, NULL, NULL),"
          "(7004, 4, 3001, 0, 0, 'Acme', '1', NULL, 'Engineer', 'R&D', 'Builds things', NULL),"
          "(7005, 10, 3001, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, x'FFD8FFE000104A46'),"
          "(7006, 1, 3000, 0, 0, CAST(x'61C0FF62' AS TEXT), '1', NULL, NULL, NULL, NULL, NULL),"
          "(7007, 5, 3005, 0, 0, '+49 151 5331812', '2', NULL, NULL, NULL, NULL, NULL)");
}

TEST(Reader, BuildsTheFourListsOfAModernDatabase) {
  test::TempFolder folder;
  const auto path = folder.path() / "contacts2.db";
  {
    test::ContactsDb db(path, test::Layout::Modern);
    FillPhone(db);
  }
  const SiftDbResult read = ReadContactsDatabase(Ansi(path));
  ASSERT_TRUE(read.opened);
  EXPECT_EQ(read.contactCount, 4);

  const auto contacts = Collect(read.lists.contacts);
  ASSERT_EQ(contacts.size(), 4u);
  EXPECT_EQ(contacts[0]->id, 3000);  // row-id order
  EXPECT_STREQ(contacts[0]->name, "+1 555 0100");
  EXPECT_EQ(contacts[0]->nameSource, 20);
  EXPECT_EQ(contacts[0]->linkId, 900);
  EXPECT_STREQ(contacts[1]->name, "周芳");
  EXPECT_EQ(contacts[1]->nameSource, 40);
  // Flagged by the provider, rows still present: listed as a contact to recover.
  EXPECT_EQ(contacts[2]->id, 3005);
  EXPECT_STREQ(contacts[2]->name, "Zoë Schröder");
  EXPECT_EQ(contacts[2]->deleted, 0);
  EXPECT_EQ(contacts[2]->flaggedDeleted, 1);
  EXPECT_EQ(contacts[2]->linkId, 0);
  EXPECT_STREQ(contacts[3]->name, "");  // no display name: empty, never null
  for (ContactRecord* c : contacts) EXPECT_EQ(c->ticked, 0);

  const auto data = Collect(read.lists.data);
  ASSERT_EQ(data.size(), 7u);
  EXPECT_EQ(data[0]->dataId, 7001);
  EXPECT_EQ(data[0]->mimeTypeId, 7);
  EXPECT_EQ(data[0]->rawContactId, 3001);
  EXPECT_STREQ(data[0]->data3, "周");
  EXPECT_EQ(data[0]->data4, nullptr);
  EXPECT_STREQ(data[1]->data1, "186 2328 6012");
  EXPECT_STREQ(data[1]->data2, "2");
  EXPECT_EQ(data[1]->isPrimary, 1);
  EXPECT_EQ(data[1]->isSuperPrimary, 1);
  EXPECT_STREQ(data[2]->data2, "3");  // a type code stored as an integer
  EXPECT_STREQ(data[3]->data5, "R&D");
  EXPECT_STREQ(data[3]->data6, "Builds things");
  EXPECT_EQ(data[4]->data15, nullptr);  // a photo is not text
  EXPECT_STREQ(data[5]->data1, "");     // not UTF-8: empty
  EXPECT_EQ(data[6]->rawContactId, 3005);

  const auto mimeTypes = Collect(read.lists.mimeTypes);
  ASSERT_EQ(mimeTypes.size(), 11u);
  EXPECT_EQ(mimeTypes[4]->id, 5);
  EXPECT_STREQ(mimeTypes[4]->mimeType, "vnd.android.cursor.item/phone_v2");

  const auto accounts = Collect(read.lists.aux);
  ASSERT_EQ(accounts.size(), 2u);
  EXPECT_EQ(accounts[0]->accountName, nullptr);
  EXPECT_EQ(accounts[0]->rawContactCount, 2);
  EXPECT_STREQ(accounts[1]->accountType, "com.google");
  EXPECT_STREQ(accounts[1]->dataSet, "plus");
  EXPECT_EQ(accounts[1]->rawContactCount, 2);
  EXPECT_EQ(accounts[1]->ticked, 0);
}

TEST(Reader, ReadsTheKitKatLayout) {
  test::TempFolder folder;
  const auto path = folder.path() / "contacts2.db";
  {
    test::ContactsDb db(path, test::Layout::KitKat);
    FillPhone(db);
  }
  const SiftDbResult read = ReadContactsDatabase(Ansi(path));
  EXPECT_EQ(read.contactCount, 4);
  EXPECT_EQ(CountRecords(read.lists.data), 7u);
  EXPECT_STREQ(Collect(read.lists.data)[1]->data4, "+8618623286012");
}

TEST(Reader, AnythingButAContactsDatabaseGivesEmptyLists) {
  test::TempFolder folder;
  const auto good = folder.path() / "good.db";
  {
    test::ContactsDb db(good, test::Layout::Modern);
    FillPhone(db);
  }
  const std::string goodBytes = test::ReadBytes(good);

  auto write = [&](const char* name, const std::string& bytes) {
    std::ofstream(folder.path() / name, std::ios::binary) << bytes;
    return folder.path() / name;
  };
  std::string badHeader = goodBytes;
  badHeader.replace(0, 6, "SQLite");  // the magic string broken
  badHeader[5] = 'X';
  std::string badPageSize = goodBytes;
  badPageSize[16] = 0x03;  // page size 0x03xx: not a power of two
  badPageSize[17] = 0x01;

  sqlite3* other = nullptr;
  const auto otherDb = folder.path() / "other.db";
  sqlite3_open(Ansi(otherDb).c_str(), &other);
  sqlite3_exec(other, "CREATE TABLE notes (x TEXT); INSERT INTO notes VALUES ('hi')", nullptr, nullptr, nullptr);
  sqlite3_close(other);

  const std::filesystem::path cases[] = {
      folder.path() / "absent.db",
      write("empty.db", ""),
      write("text.db", "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n"),
      write("truncated.db", goodBytes.substr(0, 100)),
      write("header.db", badHeader),
      write("pagesize.db", badPageSize),
      otherDb,
      folder.path(),  // a folder
  };
  for (const auto& p : cases) {
    const SiftDbResult read = ReadContactsDatabase(Ansi(p));
    EXPECT_FALSE(read.opened) << p;
    EXPECT_EQ(read.lists.contacts, nullptr) << p;
    EXPECT_EQ(read.lists.data, nullptr) << p;
    EXPECT_EQ(read.lists.mimeTypes, nullptr) << p;
    EXPECT_EQ(read.lists.aux, nullptr) << p;
  }
}

TEST(Reader, DamagedPagesNeverCrash) {
  test::TempFolder folder;
  const auto good = folder.path() / "good.db";
  {
    test::ContactsDb db(good, test::Layout::Modern);
    FillPhone(db);
    db.Exec("BEGIN");
    for (int i = 0; i < 300; ++i) {
      db.Exec("INSERT INTO raw_contacts (display_name, display_name_source) VALUES ('Person " +
              std::to_string(i) + "', 40)");
    }
    db.Exec("COMMIT");
  }
  const std::string bytes = test::ReadBytes(good);
  // Every page but the first overwritten in turn with a pattern of junk.
  const size_t pageSize = 4096;
  for (size_t page = 1; page * pageSize < bytes.size(); ++page) {
    std::string damaged = bytes;
    for (size_t i = 0; i < pageSize && page * pageSize + i < damaged.size(); i += 7) {
      damaged[page * pageSize + i] = static_cast<char>(0xA5 ^ i);
    }
    const auto p = folder.path() / ("damaged" + std::to_string(page) + ".db");
    std::ofstream(p, std::ios::binary) << damaged;
    const SiftDbResult read = ReadContactsDatabase(Ansi(p));
    EXPECT_LE(read.contactCount, 304);
  }
}

TEST(Reader, NeverTouchesTheCopy) {
  test::TempFolder folder;
  const auto path = folder.path() / "contacts2.db";
  {
    test::ContactsDb db(path, test::Layout::Modern);
    db.Exec("PRAGMA journal_mode=WAL");
    FillPhone(db);
    db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
  }
  ASSERT_FALSE(std::filesystem::exists(folder.path() / "contacts2.db-wal"));
  const std::string before = test::ReadBytes(path);
  const auto time = std::filesystem::last_write_time(path);

  EXPECT_EQ(ReadContactsDatabase(Ansi(path)).contactCount, 4);

  EXPECT_EQ(test::ReadBytes(path), before);
  EXPECT_EQ(std::filesystem::last_write_time(path), time);
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::set<std::string>{"contacts2.db"});
}

TEST(Reader, ReadsThroughAWriteAheadLogLeftBesideTheCopy) {
  test::TempFolder folder;
  const auto live = folder.path() / "live.db";
  const auto copy = folder.path() / "contacts2.db";
  test::ContactsDb db(live, test::Layout::Modern);
  db.Exec("PRAGMA journal_mode=WAL");
  db.Exec("PRAGMA wal_autocheckpoint=0");
  FillPhone(db);
  db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
  db.Exec("DELETE FROM raw_contacts WHERE _id = 3000");
  db.Exec("INSERT INTO raw_contacts (_id, display_name, display_name_source) VALUES (3010, 'Newest', 40)");
  // The phone's state as pulled: the main file and its log, not yet merged.
  std::filesystem::copy_file(live, copy);
  std::filesystem::copy_file(folder.path() / "live.db-wal", folder.path() / "contacts2.db-wal");
  db.Close();

  const SiftDbResult read = ReadContactsDatabase(Ansi(copy));
  std::vector<std::string> names;
  for (ContactRecord* c : Collect(read.lists.contacts)) names.push_back(c->name);
  EXPECT_EQ(names, (std::vector<std::string>{"周芳", "Zoë Schröder", "", "Newest"}));
}

TEST(Reader, PathsWithAnyCharacters) {
  test::TempFolder folder;
  for (const char* name : {"with space #1 %20 & ;.db", "Ünïcödé 联系人.db", "a'b.db"}) {
    const auto path = folder.path() / std::filesystem::u8path(name);
    {
      test::ContactsDb db(path, test::Layout::Modern);
      FillPhone(db);
    }
    EXPECT_EQ(ReadContactsDatabase(Ansi(path)).contactCount, 4) << name;
  }
}

TEST(Reader, LinkedReaderResultsOwnTheirRecords) {
  test::TempFolder folder;
  const auto path = folder.path() / "contacts2.db";
  {
    test::ContactsDb db(path, test::Layout::Modern);
    FillPhone(db);
  }
  LinkedContactsReader reader;
  ReaderResult first = reader.Read(Ansi(path));
  ReaderResult second = reader.Read(Ansi(path));
  ASSERT_NE(first.storage, nullptr);
  EXPECT_NE(first.lists.contacts, second.lists.contacts);  // each call has its own records
  first = {};
  EXPECT_STREQ(second.lists.contacts->name, "+1 555 0100");
}

}  // namespace
}  // namespace cdv
