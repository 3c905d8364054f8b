// Files written and deleted from by SQLite itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "recovery/sqlite_parse.h"
#include "tests/recovery/db_fixture.h"
#include "tests/recovery/inspector.h"

namespace {

using namespace cdvtest;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Contacts k = 0..count-1: raw_contact_id 10 + k, a name row and a number row
// with row ids from 5000. `isReadOnly` 0 is stored as serial type 8, as
// Android stores it; 2 as serial type 1, which the gap scan can match.
std::string InsertContacts(int count, int isReadOnly) {
  std::ostringstream sql;
  sql << "BEGIN;";
  for (int k = 0; k < count; ++k) {
    sql << "INSERT INTO data VALUES (" << 5000 + 2 * k << ", NULL, 7, " << 10 + k << ", " << isReadOnly
        << ", 'Name " << k << "', NULL);";
    sql << "INSERT INTO data VALUES (" << 5001 + 2 * k << ", NULL, 5, " << 10 + k << ", " << isReadOnly
        << ", '555" << 1000 + k << "', '2');";
  }
  sql << "COMMIT;";
  return sql.str();
}

std::string Line(int k) { return "Name " + std::to_string(k) + "\t555" + std::to_string(1000 + k); }

const std::string kSetUp = std::string("PRAGMA page_size=1024; PRAGMA auto_vacuum=NONE; PRAGMA journal_mode=DELETE; ") +
                           kSmallDataTable + ";";

TEST(SqliteWritten, DeletedContactsComeBackFromFreeblocks) {
  TempDir dir;
  const std::string path = dir.file("contacts2.db");
  ExecSql(path, kSetUp + InsertContacts(80, 0));
  ExecSql(path, "PRAGMA secure_delete=OFF; DELETE FROM data WHERE raw_contact_id IN (12, 15, 20, 33, 61);");
  SqliteParse engine(path, std::string());
  engine.startParse(ePaserContacts);
  EXPECT_GT(SqliteParseInspector(engine).leafPages().size(), 2u);
  EXPECT_EQ(Lines(engine.get_contacts_mem()),
            (std::vector<std::string>{Line(10), Line(2), Line(23), Line(5), Line(51)}));
}

TEST(SqliteWritten, SecureDeleteLeavesNothing) {
  TempDir dir;
  const std::string path = dir.file("contacts2.db");
  ExecSql(path, kSetUp + InsertContacts(80, 0));
  ExecSql(path, "PRAGMA secure_delete=ON; DELETE FROM data WHERE raw_contact_id IN (12, 15, 20, 33, 61);");
  EXPECT_EQ(CarveContacts(path), "");
}

// Every row deleted: the table is empty, yet its columns are known from the
// prepared statement, and the rows' remains lie in the emptied root page,
// which is all gap now. (The gap scan may also take stale cell pointers for
// a row, so the carved lines are checked for the contacts, not for
// exactness.)
TEST(SqliteWritten, EmptiedTableIsStillCarved) {
  TempDir dir;
  const std::string path = dir.file("contacts2.db");
  ExecSql(path, kSetUp + InsertContacts(5, 2));
  ExecSql(path, "PRAGMA secure_delete=OFF; DELETE FROM data;");
  SqliteParse engine(path, std::string());
  engine.startParse(ePaserContacts);
  SqliteParseInspector inspect(engine);
  EXPECT_EQ(inspect.dataColumnCount(), 7);
  EXPECT_EQ(inspect.rawContactIdIndex(), 3);
  EXPECT_EQ(inspect.data1Index(), 5);
  const std::vector<std::string> lines = Lines(engine.get_contacts_mem());
  for (int k = 0; k < 5; ++k) EXPECT_EQ(std::count(lines.begin(), lines.end(), Line(k)), 1) << k;
}

TEST(SqliteWritten, MessagesGetNamesFromLiveContacts) {
  TempDir dir;
  const std::string contacts = dir.file("contacts2.db");
  const std::string messages = dir.file("mmssms.db");
  ExecSql(contacts, std::string(kSmallDataTable) +
                        "; INSERT INTO data VALUES (5000, NULL, 7, 10, 0, 'Li Lei', NULL);"
                        " INSERT INTO data VALUES (5001, NULL, 5, 10, 0, '13800138000', '2');");
  std::ostringstream sql;
  sql << "PRAGMA page_size=1024; PRAGMA journal_mode=DELETE;"
         " CREATE TABLE sms (_id INTEGER PRIMARY KEY, thread_id INTEGER, address TEXT, person INTEGER,"
         " date INTEGER, date_sent INTEGER DEFAULT 0, protocol INTEGER, read INTEGER DEFAULT 0,"
         " status INTEGER DEFAULT -1, type INTEGER, reply_path_present INTEGER, subject TEXT, body TEXT,"
         " service_center TEXT, locked INTEGER DEFAULT 0); BEGIN;";
  const char* rows[][2] = {{"+8613800138000", "see you"}, {"10086", "bill"}, {"13800138000", "hi"}, {"1", "x"}};
  for (int i = 0; i < 4; ++i) {
    sql << "INSERT INTO sms VALUES (" << 3000 + i << ", 3, '" << rows[i][0] << "', NULL, " << 1700000000000LL + i
        << ", 0, 0, 1, -1, 1, 0, NULL, '" << rows[i][1] << "', NULL, 0);";
  }
  sql << "COMMIT; PRAGMA secure_delete=OFF; DELETE FROM sms WHERE _id IN (3000, 3001);";
  ExecSql(messages, sql.str());

  SqliteParse engine(contacts, messages);
  engine.startParse(ePaserSms);
  EXPECT_EQ(Lines(engine.get_contacts_mem()),
            (std::vector<std::string>{"Li Lei\t+8613800138000\tsee you", "N/A\t10086\tbill"}));
}

}  // namespace
