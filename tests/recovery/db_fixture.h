#pragma once
// Test databases: a real SQLite file whose schema the engine's preparation
// reads, with the data table's pages then replaced by hand-built ones.
#include <cstdint>
#include <string>

#include "tests/recovery/page_builder.h"

namespace cdvtest {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

// The table used by the hand-built pages: 7 columns, raw_contact_id at 3 and
// data1 at 5, as in Android's layout with fewer columns.
extern const char kSmallDataTable[];

// Runs SQL on a new or existing database file; throws with SQLite's message.
void ExecSql(const std::string& path, const std::string& sql);
// The rootpage column of sqlite_master for one table.
uint32_t RootPageOf(const std::string& path, const std::string& table);

// Writes a page image at its place in the file, extending the file if needed.
void WritePage(const std::string& path, uint32_t pageSize, uint32_t page, const Bytes& image);
void WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFile(const std::string& path);

// The engine's carved text for a file, contacts kind.
std::string CarveContacts(const std::string& path);

}  // namespace cdvtest
