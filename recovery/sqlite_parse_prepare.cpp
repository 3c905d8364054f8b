// Learning the table's root page and column layout through SQLite.
#include <sqlite3.h>

#include <functional>

#include "recovery/file_probe.h"
#include "recovery/sqlite_parse.h"

namespace {

// The statements as the engine has always issued them; the double quotes are
// string literals to SQLite.
constexpr char kDataRootPage[] = "SELECT rootpage from sqlite_master where type=\"table\" and name=\"data\"";
constexpr char kDataColumns[] = "SELECT * from data";
constexpr char kLiveDataPairs[] = "SELECT raw_contact_id, data1 from data ";
constexpr char kSmsRootPage[] = "SELECT rootpage from sqlite_master where type=\"table\" and name=\"sms\"";
constexpr char kSmsColumns[] = "SELECT * from sms";

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
      sqlite3_finalize(stmt_);
      stmt_ = nullptr;
    }
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool prepared() const { return stmt_ != nullptr; }
  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

bool OpenDatabase(const std::string& path, sqlite3** db) {
  *db = nullptr;
  if (sqlite3_open_v2(path.c_str(), db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK) {
    return true;
  }
  sqlite3_close(*db);
  *db = nullptr;
  return false;
}

void CloseDatabase(sqlite3** db) {
  sqlite3_close(*db);
  *db = nullptr;
}

// Every column of every row, read as a 64-bit integer and truncated to 32
// bits, becomes the root page: the last one wins. Nothing is stored without a
// row. False when the statement cannot be prepared.
bool ReadRootPage(sqlite3* db, const char* sql, int& rootPage) {
  Statement stmt(db, sql);
  if (!stmt.prepared()) return false;
  while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
    const int columns = sqlite3_data_count(stmt.get());
    for (int c = 0; c < columns; ++c) {
      rootPage = static_cast<int>(static_cast<uint32_t>(sqlite3_column_int64(stmt.get(), c)));
    }
  }
  return true;
}

// The prepared statement names the table's columns whether or not the table
// holds a row, so the layout is learnt from the statement alone: a table whose
// every row was deleted is exactly the one worth carving.
void ReadColumnLayout(sqlite3* db, const char* sql, int& columnCount,
                      const std::function<void(const std::string&, int)>& onColumn) {
  Statement stmt(db, sql);
  if (!stmt.prepared()) return;
  columnCount = sqlite3_column_count(stmt.get());
  for (int i = 0; i < columnCount; ++i) {
    const char* name = sqlite3_column_name(stmt.get(), i);
    if (name != nullptr) onColumn(name, i);
  }
}

std::string ColumnText(sqlite3_stmt* stmt, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  if (text == nullptr) return std::string();
  return std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
}

}  // namespace

bool SqliteParse::InitContacParseDbFile() {
  if (!cdv::IsExistingFile(m_contactsDbPath)) return false;
  if (m_contactsDbPath.find("contacts2.db") == std::string::npos) return false;
  if (!OpenDatabase(m_contactsDbPath, &m_contactsDb)) return false;
  if (!ReadRootPage(m_contactsDb, kDataRootPage, m_rootPage)) {
    CloseDatabase(&m_contactsDb);
    return false;
  }
  ReadColumnLayout(m_contactsDb, kDataColumns, m_dataColumnCount, [this](const std::string& name, int i) {
    if (name == "raw_contact_id") m_rawContactIdIndex = i;
    if (name == "data1") m_data1Index = i;
  });
  CloseDatabase(&m_contactsDb);
  return true;
}

bool SqliteParse::InitSmsParseDbFile() {
  if (!cdv::IsExistingFile(m_contactsDbPath) || !cdv::IsExistingFile(m_smsDbPath)) return false;
  if (!OpenDatabase(m_contactsDbPath, &m_contactsDb)) return false;
  if (!OpenDatabase(m_smsDbPath, &m_smsDb)) {
    CloseDatabase(&m_contactsDb);
    return false;
  }
  bool ok = true;
  if (m_contactsDbPath.find("contacts2.db") != std::string::npos) {
    Statement stmt(m_contactsDb, kLiveDataPairs);
    if (stmt.prepared()) {
      while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
        m_liveDataPairs.push_back({ColumnText(stmt.get(), 0), ColumnText(stmt.get(), 1)});
      }
    } else {
      ok = false;
    }
  }
  if (ok && m_smsDbPath.find("mmssms.db") != std::string::npos) {
    ok = ReadRootPage(m_smsDb, kSmsRootPage, m_rootPage);
  }
  if (ok) {
    ReadColumnLayout(m_smsDb, kSmsColumns, m_smsColumnCount, [this](const std::string& name, int i) {
      if (name == "address") m_addressIndex = i;
      if (name == "person") m_personIndex = i;
      if (name == "body") m_bodyIndex = i;
    });
  }
  CloseDatabase(&m_smsDb);
  CloseDatabase(&m_contactsDb);
  return ok;
}
