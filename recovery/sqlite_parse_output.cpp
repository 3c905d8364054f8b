#include "recovery/carved_text.h"
#include "recovery/sqlite_parse.h"

// The argument names a file the text was once written to; the text now stays
// in memory for get_contacts_mem.
void SqliteParse::saveContactRecover2File(const std::string& /*unused*/) {
  m_carvedText = cdv::BuildContactsText(m_carvedContacts);
}

void SqliteParse::saveSmsRecover2File(const std::string& /*unused*/) {
  m_carvedText = cdv::BuildSmsText(m_carvedSms, m_liveDataPairs);
}
