#include "tests/recovery/db_fixture.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "recovery/sqlite_parse.h"

namespace cdvtest {

const char kSmallDataTable[] =
    "CREATE TABLE data (_id INTEGER PRIMARY KEY, package_id INTEGER, mimetype_id INTEGER NOT NULL,"
    " raw_contact_id INTEGER NOT NULL, is_read_only INTEGER NOT NULL DEFAULT 0, data1 TEXT, data2 TEXT)";

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path dir = fs::temp_directory_path() /
                       ("cdv-recovery-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(dir);
  path_ = dir.string();
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempDir::file(const std::string& name) const { return (fs::path(path_) / name).string(); }

void ExecSql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + path);
  }
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("SQL failed: " + message);
}

uint32_t RootPageOf(const std::string& path, const std::string& table) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_stmt* stmt = nullptr;
  uint32_t root = 0;
  if (sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_master WHERE type='table' AND name=?", -1, &stmt,
                         nullptr) == SQLITE_OK) {
    sqlite3_bind_text(stmt, 1, table.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(stmt) == SQLITE_ROW) root = static_cast<uint32_t>(sqlite3_column_int64(stmt, 0));
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return root;
}

void WritePage(const std::string& path, uint32_t pageSize, uint32_t page, const Bytes& image) {
  std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
  if (!f) throw std::runtime_error("cannot open " + path);
  f.seekp(static_cast<std::streamoff>(page - 1) * pageSize);
  f.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string CarveContacts(const std::string& path) {
  SqliteParse engine(path, std::string());
  engine.startParse(ePaserContacts);
  return engine.get_contacts_mem();
}

}  // namespace cdvtest
