#include "platform/siftdb/siftdb_reader.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/codepage/codepage.h"
#include "platform/siftdb/sqlite_uri.h"

namespace cdv {
namespace {

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  // Stops at the end and at the first error (a damaged page): rows read so far stay.
  bool Next() { return stmt_ != nullptr && sqlite3_step(stmt_) == SQLITE_ROW; }
  int Int(int col) const { return sqlite3_column_int(stmt_, col); }
  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

class Connection {
 public:
  explicit Connection(const std::string& uri) {
    if (sqlite3_open_v2(uri.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
      sqlite3_close(db_);
      db_ = nullptr;
    }
  }
  ~Connection() { sqlite3_close(db_); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  sqlite3* get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// Android registers these collations itself (sort keys, localized names). The
// reader never orders by them; the stubs only keep statements that touch such
// columns from failing on an unknown collation.
int BinaryCompare(void*, int n1, const void* a, int n2, const void* b) {
  const int c = std::memcmp(a, b, static_cast<size_t>(n1 < n2 ? n1 : n2));
  return c != 0 ? c : n1 - n2;
}

void RegisterAndroidCollations(sqlite3* db) {
  for (const char* name : {"PHONEBOOK", "LOCALIZED", "UNICODE"}) {
    sqlite3_create_collation(db, name, SQLITE_UTF8, nullptr, BinaryCompare);
  }
}

// A text column converted for the records: null stays null, a blob (a photo)
// is not text and is null too, invalid UTF-8 becomes empty.
char* Text(RecordArena& arena, sqlite3_stmt* stmt, int col) {
  const int type = sqlite3_column_type(stmt, col);
  if (type == SQLITE_NULL || type == SQLITE_BLOB) return nullptr;
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
  if (bytes == nullptr) return nullptr;
  const int size = sqlite3_column_bytes(stmt, col);
  return arena.CopyString(Utf8ToAnsi(std::string_view(bytes, static_cast<size_t>(size))));
}

char* TextOrEmpty(RecordArena& arena, sqlite3_stmt* stmt, int col) {
  char* text = Text(arena, stmt, col);
  return text != nullptr ? text : arena.CopyString({});
}

bool NonEmptyFile(const std::string& ansiPath) {
  std::FILE* f = std::fopen(ansiPath.c_str(), "rb");
  if (f == nullptr) return false;
  const bool nonEmpty = std::fgetc(f) != EOF;
  std::fclose(f);
  return nonEmpty;
}

// A write-ahead log beside the copy holds the newest changes: read through it
// (read-only) when there is one. Otherwise, or when that fails, open the file
// as immutable: no lock, no journal, no file created beside it.
std::vector<std::string> DatabaseUris(const std::string& ansiPath) {
  const std::string utf8 = Utf16ToUtf8(AnsiToUtf16(ansiPath));
  std::vector<std::string> uris;
  if (NonEmptyFile(ansiPath + "-wal")) uris.push_back(SqliteFileUri(utf8, "mode=ro"));
  uris.push_back(SqliteFileUri(utf8, "immutable=1"));
  return uris;
}

template <class Record>
struct ListBuilder {
  Record* head = nullptr;
  Record* tail = nullptr;
  void Append(Record* r) {
    (tail != nullptr ? tail->next : head) = r;
    tail = r;
  }
};

bool ReadFrom(const std::string& uri, SiftDbResult& result) {
  RecordArena& arena = *result.storage;
  Connection db(uri);
  if (db.get() == nullptr) return false;
  RegisterAndroidCollations(db.get());

  Statement contacts(db.get(),
                     "SELECT _id, contact_id, display_name, display_name_source, deleted "
                     "FROM raw_contacts ORDER BY _id");
  Statement data(db.get(),
                 "SELECT mimetype_id, raw_contact_id, _id, is_primary, is_super_primary, "
                 "data1, data2, data3, data4, data5, data6, data7, data8, data9, data10, "
                 "data11, data12, data13, data14, data15 FROM data ORDER BY _id");
  Statement mimeTypes(db.get(), "SELECT _id, mimetype FROM mimetypes ORDER BY _id");
  if (!contacts.ok() || !data.ok() || !mimeTypes.ok()) return false;
  result.opened = true;

  ListBuilder<ContactRecord> list2;
  while (contacts.Next()) {
    auto* c = arena.New<ContactRecord>();
    c->id = contacts.Int(0);
    c->linkId = contacts.Int(1);
    c->name = TextOrEmpty(arena, contacts.get(), 2);
    c->nameSource = contacts.Int(3);
    c->flaggedDeleted = contacts.Int(4);
    list2.Append(c);
    ++result.contactCount;
  }

  ListBuilder<DataRecord> list3;
  while (data.Next()) {
    auto* d = arena.New<DataRecord>();
    d->mimeTypeId = data.Int(0);
    d->rawContactId = data.Int(1);
    d->dataId = data.Int(2);
    d->isPrimary = data.Int(3);
    d->isSuperPrimary = data.Int(4);
    for (int n = 1; n <= kDataColumnCount; ++n) DataColumn(*d, n) = Text(arena, data.get(), 4 + n);
    list3.Append(d);
  }

  ListBuilder<MimeTypeRecord> list4;
  while (mimeTypes.Next()) {
    auto* m = arena.New<MimeTypeRecord>();
    m->id = mimeTypes.Int(0);
    m->mimeType = TextOrEmpty(arena, mimeTypes.get(), 1);
    list4.Append(m);
  }

  // Accounts are optional: a database without the table simply has no list 1.
  ListBuilder<AuxRecord> list1;
  Statement accounts(db.get(), "SELECT _id, account_name, account_type, data_set FROM accounts ORDER BY _id");
  if (accounts.ok()) {
    std::unordered_map<int, int> perAccount;
    Statement counts(db.get(), "SELECT account_id, COUNT(*) FROM raw_contacts GROUP BY account_id");
    while (counts.Next()) perAccount[counts.Int(0)] = counts.Int(1);
    while (accounts.Next()) {
      auto* a = arena.New<AuxRecord>();
      a->id = accounts.Int(0);
      a->accountName = Text(arena, accounts.get(), 1);
      a->accountType = Text(arena, accounts.get(), 2);
      a->dataSet = Text(arena, accounts.get(), 3);
      const auto it = perAccount.find(a->id);
      a->rawContactCount = it == perAccount.end() ? 0 : it->second;
      list1.Append(a);
    }
  }

  result.lists = {list1.head, list2.head, list3.head, list4.head};
  return true;
}

}  // namespace

SiftDbResult ReadContactsDatabase(const std::string& ansiPath) {
  SiftDbResult result;
  result.storage = std::make_shared<RecordArena>();
  for (const std::string& uri : DatabaseUris(ansiPath)) {
    if (ReadFrom(uri, result)) break;
  }
  return result;
}

ReaderResult LinkedContactsReader::Read(const std::string& ansiPath) {
  SiftDbResult read = ReadContactsDatabase(ansiPath);
  return {read.lists, std::move(read.storage)};
}

}  // namespace cdv
