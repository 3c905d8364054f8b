// Generated phones with known ground truth: which share of the deleted rows
// the carved text brings back, per layout, pinned as floors; and whether the
// lines pair rows of one contact.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "recovery/sqlite_parse.h"
#include "tests/recovery/inspector.h"
#include "tests/recovery/reference_pairing.h"

namespace {

// Databases written by the generator's CTest fixtures on the build host.
std::string GeneratedDb(const std::string& name) {
  std::string dir = CARDIVANE_GENERATED_DIR;
#ifdef _WIN32
  // Under Wine the host's file system is drive Z:.
  if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
#endif
  return dir + "/" + name + "/contacts2.db";
}

std::vector<std::vector<std::string>> ReadTsv(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    std::string field;
    while (std::getline(split, field, '\t')) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.push_back("");
    rows.push_back(fields);
  }
  return rows;
}

struct Measure {
  size_t deletedRows = 0;        // with a non-empty data1
  size_t recoveredRows = 0;      // whose data1 is a half of some line
  size_t pairedLines = 0;        // lines with two values
  size_t consistentPairs = 0;    // ... both of one deleted contact
  size_t halves = 0;             // values written (not "N/A")
  size_t halvesFromDeleted = 0;  // ... that are a deleted row's data1
  double share(size_t a, size_t b) const { return b == 0 ? 0.0 : static_cast<double>(a) / b; }
  double recovered() const { return share(recoveredRows, deletedRows); }
  double consistent() const { return share(consistentPairs, pairedLines); }
  double precise() const { return share(halvesFromDeleted, halves); }
};

Measure MeasureText(const std::string& text, const std::string& db) {
  // raw_contact_id, mimetype, data1
  const auto deleted = ReadTsv(db + ".deleted.tsv");
  std::map<std::string, std::set<std::string>> contactsOf;  // data1 -> raw ids
  for (const auto& row : deleted) {
    if (row.size() >= 3 && !row[2].empty()) contactsOf[row[2]].insert(row[0]);
  }
  Measure m;
  std::set<std::string> written;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 2;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string first = line.substr(0, tab), second = line.substr(tab + 1);
    for (const std::string* half : {&first, &second}) {
      if (*half == "N/A") continue;
      ++m.halves;
      written.insert(*half);
      if (contactsOf.count(*half)) ++m.halvesFromDeleted;
    }
    if (first == "N/A" || second == "N/A") continue;
    ++m.pairedLines;
    const auto a = contactsOf.find(first), b = contactsOf.find(second);
    if (a == contactsOf.end() || b == contactsOf.end()) continue;
    for (const std::string& raw : a->second) {
      if (b->second.count(raw)) {
        ++m.consistentPairs;
        break;
      }
    }
  }
  for (const auto& row : deleted) {
    if (row.size() < 3 || row[2].empty()) continue;
    ++m.deletedRows;
    if (written.count(row[2])) ++m.recoveredRows;
  }
  return m;
}

struct LayoutCase {
  const char* name;
  int columns, rawIndex, data1Index;
  double recoveredFloor, consistentFloor, preciseFloor;
};

TEST(GeneratedPhones, RecoveredSharePerLayout) {
  // Floors a little below the shares measured on these seeds. Rows written
  // before a schema upgrade have fewer columns than the schema says and decode
  // wrongly: the upgraded layout recovers far less, as the algorithm implies.
  const LayoutCase cases[] = {
      {"modern", 32, 3, 9, 0.88, 0.99, 0.99},
      {"kitkat", 27, 3, 8, 0.91, 0.98, 0.98},
      {"upgraded", 32, 3, 8, 0.38, 0.85, 0.85},
      {"modern-64k", 32, 3, 9, 0.88, 0.99, 0.99},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string db = GeneratedDb(c.name);
    SqliteParse engine(db, std::string());
    engine.startParse(ePaserContacts);
    SqliteParseInspector inspect(engine);
    EXPECT_EQ(inspect.dataColumnCount(), c.columns);
    EXPECT_EQ(inspect.rawContactIdIndex(), c.rawIndex);
    EXPECT_EQ(inspect.data1Index(), c.data1Index);
    const Measure m = MeasureText(engine.get_contacts_mem(), db);
    std::cout << "  " << c.name << ": " << m.recoveredRows << " of " << m.deletedRows << " deleted rows recovered ("
              << 100.0 * m.recovered() << " %), " << m.consistentPairs << " of " << m.pairedLines
              << " paired lines of one contact, " << 100.0 * m.precise() << " % of values from deleted rows\n";
    ASSERT_GT(m.deletedRows, 1000u);
    // The grouped pairing writes exactly what pairing every row with every
    // later one writes.
    EXPECT_TRUE(engine.get_contacts_mem() == cdvtest::QuadraticContactsText(inspect.carvedContactRows()));
    EXPECT_GE(m.recovered(), c.recoveredFloor);
    EXPECT_GE(m.consistent(), c.consistentFloor);
    EXPECT_GE(m.precise(), c.preciseFloor);
  }
}

// Every contact deleted: the data table is empty, and the layout is still
// learnt from the prepared statement. The emptied root page keeps the rows in
// its gap, where Android's is_read_only 0 (serial type 8) defeats the gap
// scan's candidate test, so the specified carving finds little or nothing.
TEST(GeneratedPhones, AllDeleted) {
  const std::string db = GeneratedDb("all-deleted");
  SqliteParse engine(db, std::string());
  engine.startParse(ePaserContacts);
  SqliteParseInspector inspect(engine);
  EXPECT_EQ(inspect.dataColumnCount(), 32);
  EXPECT_EQ(inspect.rawContactIdIndex(), 3);
  EXPECT_EQ(inspect.data1Index(), 9);
  EXPECT_FALSE(inspect.leafPages().empty());
  const Measure m = MeasureText(engine.get_contacts_mem(), db);
  std::cout << "  all-deleted: " << m.recoveredRows << " of " << m.deletedRows << " deleted rows recovered\n";
  EXPECT_GT(m.deletedRows, 1000u);
}

}  // namespace
