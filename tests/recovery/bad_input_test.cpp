// Damaged and hostile files: each gives a clear outcome, never a crash, a
// hang or a read out of bounds (the native tests run under AddressSanitizer
// and UndefinedBehaviorSanitizer).
#include <gtest/gtest.h>

#include <filesystem>

#include "recovery/sqlite_parse.h"
#include "tests/recovery/db_fixture.h"
#include "tests/recovery/inspector.h"
#include "tests/recovery/page_builder.h"

namespace {

using namespace cdvtest;

std::vector<Column> Row(int64_t raw, Column data1) {
  return {Null(), Null(), Int8(5), Int(raw), Int(0), data1, Null()};
}
Bytes DeletedCell(uint64_t rowid, int64_t raw, const std::string& data1) {
  return Cell(rowid, Row(raw, Text(data1)));
}

// A contacts2.db with the small data table; page 2 is its root.
std::string SmallDb(const TempDir& dir, uint32_t pageSize, const std::string& name = "contacts2.db") {
  const std::string path = dir.file(name);
  ExecSql(path, "PRAGMA page_size=" + std::to_string(pageSize) + "; " + kSmallDataTable + ";");
  return path;
}

Bytes OneDeletedRowLeaf(uint32_t pageSize) {
  LeafPage leaf(pageSize);
  leaf.freed(DeletedCell(5001, 7, "Ann"));
  return leaf.build();
}

TEST(BadInput, FilesThatAreNotContactsDatabases) {
  TempDir dir;
  EXPECT_EQ(CarveContacts(dir.file("contacts2.db")), "") << "missing";
  EXPECT_EQ(CarveContacts(dir.path()), "") << "a folder";

  WriteFile(dir.file("contacts2.db"), {});
  EXPECT_EQ(CarveContacts(dir.file("contacts2.db")), "") << "empty file";

  const std::string text = "Name,Number\nAnn,5551234\n";
  WriteFile(dir.file("x-contacts2.db"), Bytes(text.begin(), text.end()));
  EXPECT_EQ(CarveContacts(dir.file("x-contacts2.db")), "") << "not SQLite";

  // A good file, but its name lacks "contacts2.db".
  TempDir other;
  const std::string misnamed = SmallDb(other, 1024, "contacts.db");
  WritePage(misnamed, 1024, 2, OneDeletedRowLeaf(1024));
  EXPECT_EQ(CarveContacts(misnamed), "");
  std::filesystem::rename(misnamed, other.file("contacts2.db"));
  EXPECT_EQ(CarveContacts(other.file("contacts2.db")), "Ann\tN/A\r\n");
}

TEST(BadInput, DatabaseWithoutDataTable) {
  TempDir dir;
  const std::string path = dir.file("contacts2.db");
  ExecSql(path, "CREATE TABLE raw_contacts (_id INTEGER PRIMARY KEY, display_name TEXT);");
  EXPECT_EQ(CarveContacts(path), "");
  // A data table without the two columns: the layout stays unknown.
  TempDir dir2;
  const std::string path2 = dir2.file("contacts2.db");
  ExecSql(path2, "CREATE TABLE data (_id INTEGER PRIMARY KEY, a, b, c, d, e, f);");
  WritePage(path2, 4096, 2, OneDeletedRowLeaf(4096));
  EXPECT_EQ(CarveContacts(path2), "");
}

TEST(BadInput, TruncatedFiles) {
  TempDir dir;
  const std::string path = SmallDb(dir, 1024);
  LeafPage leaf(1024);
  leaf.cell(Cell(5000, Row(3, Text("Live"))));
  leaf.freed(DeletedCell(5001, 7, "Ann"));
  leaf.freed(DeletedCell(5002, 7, "5551234"));
  WritePage(path, 1024, 2, leaf.build());
  const Bytes whole = ReadFile(path);
  ASSERT_EQ(CarveContacts(path), "Ann\t5551234\r\n");

  struct Cut {
    size_t length;
    const char* text;  // nullptr: only that nothing goes wrong
  } cuts[] = {
      {1024, ""},          // the root page is gone
      {1024 + 5, ""},      // its header is cut short
      {1024 + 8, ""},      // header only: freeblocks read as zeros
      {1024 + 990, nullptr},
      {whole.size() - 3, nullptr},
  };
  for (const Cut& cut : cuts) {
    WriteFile(path, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut.length)));
    const std::string text = CarveContacts(path);
    if (cut.text != nullptr) {
      EXPECT_EQ(text, cut.text) << cut.length;
    }
  }
}

TEST(BadInput, PageSize65536) {
  TempDir dir;
  const std::string path = SmallDb(dir, 65536);
  ASSERT_EQ(ReadFile(path)[16], 0x00);
  ASSERT_EQ(ReadFile(path)[17], 0x01);  // stored as 1
  // Root interior page over two leaves: one with a freeblock near the page's
  // end, one without cells whose content start field 0 means 65536, so its
  // whole body is gap.
  InteriorPage root(65536, 4);
  root.child(3);
  LeafPage withFreeblock(65536);
  withFreeblock.cell(Cell(5000, Row(3, Text("Live"))));
  withFreeblock.freed(DeletedCell(5001, 7, "Ann"));
  LeafPage empty(65536);
  empty.gap(40000, Bytes{0xEE});
  empty.gap(40001, Cell(5002, {Null(), Null(), Int8(5), Int(7), Int8(0), Text("5551234"), Null()}));
  const Bytes emptyImage = empty.build();
  ASSERT_EQ(emptyImage[5], 0);
  ASSERT_EQ(emptyImage[6], 0);
  WritePage(path, 65536, 2, root.build());
  WritePage(path, 65536, 3, withFreeblock.build());
  WritePage(path, 65536, 4, emptyImage);

  SqliteParse engine(path, std::string());
  engine.startParse(ePaserContacts);
  SqliteParseInspector inspect(engine);
  EXPECT_EQ(inspect.pageSize(), 65536);
  EXPECT_EQ(inspect.leafPages(), (std::vector<unsigned>{3, 4}));
  EXPECT_EQ(engine.get_contacts_mem(), "Ann\t5551234\r\n");
}

struct DamagedTree {
  const char* name;
  std::map<uint32_t, Bytes> pages;
  std::string text;
  std::vector<unsigned> leaves;
};

TEST(BadInput, DamagedTrees) {
  const uint32_t ps = 1024;
  std::vector<DamagedTree> cases;
  {
    // 2 -> 3 -> back to 2 (and 2 to itself), with the leaf 4 below 3.
    InteriorPage root(ps, 3);
    root.child(2);
    InteriorPage middle(ps, 2);
    middle.child(4);
    cases.push_back({"pages that point back to an ancestor",
                     {{2, root.build()}, {3, middle.build()}, {4, OneDeletedRowLeaf(ps)}},
                     "Ann\tN/A\r\n",
                     {4}});
  }
  {
    // Page 0, page 1 (the schema page, type 'S'), a page past the file's
    // end, and one good leaf.
    InteriorPage root(ps, 99999);
    root.child(0);
    root.child(1);
    root.child(3);
    root.child(3);
    cases.push_back({"children that are no table pages, or listed twice",
                     {{2, root.build()}, {3, OneDeletedRowLeaf(ps)}},
                     "Ann\tN/A\r\n",
                     {3}});
  }
  {
    Bytes index(ps, 0);
    index[0] = 10;  // index leaf page
    cases.push_back({"root is an index page", {{2, index}}, "", {}});
  }
  {
    // A chain of interior pages thousands deep: no recursion to overflow.
    DamagedTree deep{"interior pages 3000 deep", {}, "Ann\tN/A\r\n", {3002}};
    for (uint32_t p = 2; p < 3002; ++p) deep.pages[p] = InteriorPage(ps, p + 1).build();
    deep.pages[3002] = OneDeletedRowLeaf(ps);
    cases.push_back(std::move(deep));
  }
  {
    LeafPage leaf(ps);
    const uint16_t a = leaf.freed(DeletedCell(5001, 7, "A1"));
    const uint16_t b = leaf.freed(DeletedCell(5002, 8, "B2"));
    leaf.patch(b, BigEndian(a, 2));  // the second freeblock leads back to the first
    cases.push_back({"looping freeblock chain", {{2, leaf.build()}}, "A1\tN/A\r\nB2\tN/A\r\n", {2}});
  }
  {
    LeafPage leaf(ps);
    leaf.freed(DeletedCell(5001, 7, "A1"), 2);
    leaf.freed(DeletedCell(5002, 8, "B2"), 0);
    leaf.freed(DeletedCell(5003, 9, "C3"));
    cases.push_back({"freeblock sizes below 4 are skipped", {{2, leaf.build()}}, "C3\tN/A\r\n", {2}});
  }
  {
    LeafPage leaf(ps);
    leaf.freed(Concat({DeletedCell(5001, 7, "A1"), Cell(5002, Row(7, Raw(0xFFFFFFFFu, {}))),
                       DeletedCell(5003, 7, "C3")}));
    leaf.freed(DeletedCell(5004, 8, "D4"));
    cases.push_back({"a serial type claiming 2 GB", {{2, leaf.build()}}, "A1\tN/A\r\nD4\tN/A\r\n", {2}});
  }
  {
    LeafPage leaf(ps);
    leaf.freed(Cell(5001, {Null(), Null(), Int8(5), Int(7), Int(0), Text("A1"), Raw(0xFFFFFFFFu, {})}));
    leaf.freed(DeletedCell(5002, 8, "B2"));
    cases.push_back({"widths adding up past 2^31", {{2, leaf.build()}}, "B2\tN/A\r\n", {2}});
  }
  {
    LeafPage leaf(ps);
    leaf.freed(DeletedCell(5001, 7, "A1"), 0xFFFF);  // runs off the page
    leaf.setCellCount(0xFFFF);                       // pointer array longer than the page
    cases.push_back({"sizes and counts beyond the page", {{2, leaf.build()}}, "A1\tN/A\r\n", {2}});
  }

  for (const DamagedTree& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = SmallDb(dir, ps);
    for (const auto& p : c.pages) WritePage(path, ps, p.first, p.second);
    SqliteParse engine(path, std::string());
    engine.startParse(ePaserContacts);
    EXPECT_EQ(engine.get_contacts_mem(), c.text);
    EXPECT_EQ(SqliteParseInspector(engine).leafPages(), c.leaves);
  }
}

}  // namespace
