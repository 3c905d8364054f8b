#pragma once
// SqliteParse: recovers deleted rows of the contacts database's `data` table
// (or the message database's `sms` table) from the free space of the table's
// leaf pages. SQLite supplies the table's root page and column layout; the
// pages themselves are read from the file. The result is the carved text.
#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "recovery/carved_types.h"
#include "recovery/engine_export.h"
#include "recovery/leaf_free_space.h"

struct sqlite3;

enum ePaserType {
  ePaserContacts = 0,  // contacts2.db, table data
  ePaserSms = 1,       // mmssms.db, table sms
};

class CARDIVANE_ENGINE_API SqliteParse {
 public:
  SqliteParse(const std::string& contactsDbPath, const std::string& smsDbPath);
  ~SqliteParse();
  SqliteParse(const SqliteParse&) = delete;
  SqliteParse& operator=(const SqliteParse&) = delete;

  // One whole parse. Reports nothing: a failed step leaves the text as it is
  // (empty when preparation fails).
  void startParse(ePaserType kind);
  std::string get_contacts_mem();

 private:
  friend class SqliteParseInspector;

  bool InitContacParseDbFile();
  bool InitSmsParseDbFile();
  void getDbPageSize(const std::string& path);
  void loopPage(int64_t page);
  void sortLeafPage();
  void loadFreelistCell(std::vector<unsigned> leafPages);
  void parseContactFreelistCell(const int& rawContactIdIndex, const int& data1Index, const int& columnCount);
  void parseContactUnassignedArea(const int& rawContactIdIndex, const int& data1Index, const int& columnCount);
  void parseSmsFresslistCell(const int& addressIndex, const int& personIndex, const int& bodyIndex,
                             const int& columnCount);
  void parseSmsUnassignedArea(const int& addressIndex, const int& personIndex, const int& bodyIndex,
                              const int& columnCount);
  int calculateDataWidth(unsigned type);
  int checkDataType(unsigned type);
  void saveContactRecover2File(const std::string& unused);
  void saveSmsRecover2File(const std::string& unused);
  int getColunmcount(const std::string& a, const std::string& b);
  int64_t getCellPage(int64_t offset, int64_t page);

  // Runs the shared part of both kinds: page size, file, walk, sort, map.
  bool walkTable(const std::string& path);
  void reset();

  sqlite3* m_smsDb = nullptr;
  sqlite3* m_contactsDb = nullptr;
  int m_rootPage = 0;  // 0: not learnt
  int m_pageSize = 0;  // in bytes; 0: unknown or not a valid size
  std::string m_contactsDbPath;
  std::string m_smsDbPath;
  std::vector<unsigned> m_leafPages;
  std::map<unsigned, std::vector<unsigned>> m_freeblockMap;
  std::ifstream m_file;
  int m_dataColumnCount = 0;
  int m_smsColumnCount = 0;
  int m_rawContactIdIndex = -1;
  int m_data1Index = -1;
  int m_addressIndex = -1;
  int m_personIndex = -1;
  int m_bodyIndex = -1;
  std::string m_carvedText;
  std::vector<CarvedContact> m_carvedContacts;
  std::vector<LiveDataPair> m_liveDataPairs;
  std::vector<CarvedSms> m_carvedSms;

  // Free space of the leaf pages, taken while walking so each page is read once.
  cdv::LeafFreeSpaceStore m_leafFreeSpace;
};
