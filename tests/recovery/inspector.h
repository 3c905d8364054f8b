#pragma once
// Read access to the engine's private state for the tests.
#include "recovery/sqlite_parse.h"

class SqliteParseInspector {
 public:
  explicit SqliteParseInspector(SqliteParse& engine) : e_(engine) {}
  const std::vector<unsigned>& leafPages() const { return e_.m_leafPages; }
  const std::map<unsigned, std::vector<unsigned>>& freeblockMap() const { return e_.m_freeblockMap; }
  int rootPage() const { return e_.m_rootPage; }
  int pageSize() const { return e_.m_pageSize; }
  int dataColumnCount() const { return e_.m_dataColumnCount; }
  int rawContactIdIndex() const { return e_.m_rawContactIdIndex; }
  int data1Index() const { return e_.m_data1Index; }
  size_t carvedContacts() const { return e_.m_carvedContacts.size(); }
  const std::vector<CarvedContact>& carvedContactRows() const { return e_.m_carvedContacts; }
  int64_t getCellPage(int64_t offset, int64_t page) { return e_.getCellPage(offset, page); }
  int getColunmcount() { return e_.getColunmcount("data", "data1"); }
  int calculateDataWidth(unsigned type) { return e_.calculateDataWidth(type); }
  int checkDataType(unsigned type) { return e_.checkDataType(type); }

 private:
  SqliteParse& e_;
};
