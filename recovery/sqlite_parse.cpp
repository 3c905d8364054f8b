#include "recovery/sqlite_parse.h"

#include "recovery/serial_type.h"

SqliteParse::SqliteParse(const std::string& contactsDbPath, const std::string& smsDbPath)
    : m_contactsDbPath(contactsDbPath), m_smsDbPath(smsDbPath) {}

SqliteParse::~SqliteParse() {
  reset();
}

void SqliteParse::reset() {
  m_leafPages.clear();
  m_freeblockMap.clear();
  m_leafFreeSpace.clear();
  m_carvedContacts.clear();
  m_liveDataPairs.clear();
  m_carvedSms.clear();
  m_rootPage = 0;
  m_pageSize = 0;
  m_dataColumnCount = m_smsColumnCount = 0;
  m_rawContactIdIndex = m_data1Index = -1;
  m_addressIndex = m_personIndex = m_bodyIndex = -1;
  if (m_file.is_open()) m_file.close();
  m_file.clear();
}

void SqliteParse::startParse(ePaserType kind) {
  if (kind != ePaserContacts && kind != ePaserSms) return;
  reset();
  m_carvedText.clear();
  if (kind == ePaserContacts) {
    if (!InitContacParseDbFile()) return;
    // No carving without a root page and a known column layout.
    if (m_rootPage <= 0 || m_dataColumnCount <= 0) return;
    if (!walkTable(m_contactsDbPath)) return;
    parseContactFreelistCell(m_rawContactIdIndex, m_data1Index, m_dataColumnCount);
    parseContactUnassignedArea(m_rawContactIdIndex, m_data1Index, m_dataColumnCount);
    // The pages' free space is carved: its memory serves the text instead.
    m_leafFreeSpace.clear();
    saveContactRecover2File(std::string());
  } else {
    if (!InitSmsParseDbFile()) return;
    if (m_rootPage <= 0 || m_smsColumnCount <= 0) return;
    if (!walkTable(m_smsDbPath)) return;
    parseSmsFresslistCell(m_addressIndex, m_personIndex, m_bodyIndex, m_smsColumnCount);
    parseSmsUnassignedArea(m_addressIndex, m_personIndex, m_bodyIndex, m_smsColumnCount);
    m_leafFreeSpace.clear();
    saveSmsRecover2File(std::string());
  }
}

bool SqliteParse::walkTable(const std::string& path) {
  getDbPageSize(path);
  if (m_pageSize <= 0) return false;
  m_file.open(path, std::ios::in | std::ios::binary);
  if (!m_file.is_open()) return false;
  loopPage(m_rootPage);
  sortLeafPage();
  loadFreelistCell(m_leafPages);
  return true;
}

std::string SqliteParse::get_contacts_mem() {
  return m_carvedText;
}

int SqliteParse::calculateDataWidth(unsigned type) {
  return static_cast<int>(cdv::SerialTypeWidth(type));
}

int SqliteParse::checkDataType(unsigned type) {
  if (type >= 2 && type <= 5) return 1;
  if (type == 7) return 3;
  if (type >= 14 && type % 2 == 0) return 2;
  if (type >= 13 && type % 2 == 1) return 4;
  return static_cast<int>(type);
}

int SqliteParse::getColunmcount(const std::string& /*a*/, const std::string& /*b*/) {
  return 1;
}
