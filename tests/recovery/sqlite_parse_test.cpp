// The whole engine over database files whose data table pages are built byte
// by byte, so the exact carved text is known.
#include "recovery/sqlite_parse.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "tests/recovery/db_fixture.h"
#include "tests/recovery/inspector.h"
#include "tests/recovery/page_builder.h"

namespace {

using namespace cdvtest;

using Pages = std::map<uint32_t, Bytes>;
using FreeblockMap = std::map<unsigned, std::vector<unsigned>>;

// The small data table's row: _id (stored NULL), package_id, mimetype_id,
// raw_contact_id, is_read_only, data1, data2. `gapable` stores is_read_only
// with serial type 1 instead of 8 so the gap scan can match the row.
std::vector<Column> Row(int64_t raw, Column data1, bool gapable = false) {
  return {Null(), Null(), Int8(5), Int(raw), gapable ? Int8(0) : Int(0), data1, Null()};
}
Bytes DeletedCell(uint64_t rowid, int64_t raw, const std::string& data1, bool gapable = false) {
  return Cell(rowid, Row(raw, Text(data1), gapable));
}
// Bytes no gap candidate can start in. (A run of zeros followed by an odd
// byte of 13 or more, such as a payload size, would be one.)
constexpr uint8_t kFiller = 0xEE;

Bytes LiveCell(uint64_t rowid) { return Cell(rowid, Row(3, Text("Live Person"))); }

// A contacts2.db with the small data table at root page 2 and the given pages
// written over it.
class EngineFile {
 public:
  explicit EngineFile(uint32_t pageSize = 1024, const std::string& name = "contacts2.db")
      : pageSize_(pageSize), path_(dir_.file(name)) {
    ExecSql(path_, "PRAGMA page_size=" + std::to_string(pageSize) + "; PRAGMA journal_mode=DELETE; " +
                       kSmallDataTable + "; CREATE TABLE other (x);");
  }
  void write(const Pages& pages) {
    for (const auto& p : pages) WritePage(path_, pageSize_, p.first, p.second);
  }
  const std::string& path() const { return path_; }
  uint32_t pageSize() const { return pageSize_; }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  uint32_t pageSize_;
  std::string path_;
};

struct Outcome {
  std::string text;
  std::vector<unsigned> leaves;
  FreeblockMap freeblocks;
};

Outcome RunEngine(const std::string& path) {
  SqliteParse engine(path, std::string());
  engine.startParse(ePaserContacts);
  SqliteParseInspector inspect(engine);
  return {engine.get_contacts_mem(), inspect.leafPages(), inspect.freeblockMap()};
}

TEST(Engine, SmallDatabaseRootIsPageTwo) {
  EngineFile file;
  EXPECT_EQ(RootPageOf(file.path(), "data"), 2u);
}

struct PageCase {
  const char* name;
  std::function<Pages(uint32_t pageSize, FreeblockMap& expectedMap)> build;
  std::string text;
  std::vector<unsigned> leaves;
};

const std::vector<PageCase>& PageCases() {
  static const std::vector<PageCase> cases = {
      {"root page is a leaf",
       [](uint32_t ps, FreeblockMap& map) {
         LeafPage leaf(ps);
         leaf.cell(LiveCell(5000));
         const uint16_t a = leaf.freed(DeletedCell(5001, 7, "Ann"));
         const uint16_t b = leaf.freed(DeletedCell(5002, 7, "5551234"));
         map[2] = {a, b};
         return Pages{{2, leaf.build()}};
       },
       "Ann\t5551234\r\n", {2}},
      {"leaf without freeblocks has no map entry",
       [](uint32_t ps, FreeblockMap&) {
         LeafPage leaf(ps);
         leaf.cell(LiveCell(5000));
         return Pages{{2, leaf.build()}};
       },
       "", {2}},
      {"three-level tree walked right-most first, then sorted",
       [](uint32_t ps, FreeblockMap& map) {
         InteriorPage root(ps, 3);
         root.child(6);
         InteriorPage middle(ps, 5);
         middle.child(4);
         LeafPage p4(ps), p5(ps), p6(ps);
         map[4] = {p4.freed(DeletedCell(5001, 7, "ann@example.com"))};
         map[5] = {p5.freed(DeletedCell(5002, 7, "Ann"))};
         map[6] = {p6.freed(DeletedCell(5003, 7, "5551234"))};
         return Pages{{2, root.build()}, {3, middle.build()}, {4, p4.build()}, {5, p5.build()}, {6, p6.build()}};
       },
       "ann@example.com\tAnn\r\nann@example.com\t5551234\r\nAnn\t5551234\r\n", {4, 5, 6}},
      {"interior page whose right-most child is 0",
       [](uint32_t ps, FreeblockMap& map) {
         InteriorPage root(ps, 0);
         root.child(3);
         LeafPage leaf(ps);
         map[3] = {leaf.freed(DeletedCell(5001, 7, "Ann"))};
         return Pages{{2, root.build()}, {3, leaf.build()}};
       },
       "Ann\tN/A\r\n", {3}},
      {"chain of three freeblocks in chain order",
       [](uint32_t ps, FreeblockMap& map) {
         LeafPage leaf(ps);
         leaf.cell(LiveCell(5000));
         const uint16_t a = leaf.freed(DeletedCell(5001, 7, "A1"));
         leaf.cell(LiveCell(5002));
         const uint16_t b = leaf.freed(DeletedCell(5003, 8, "B2"));
         const uint16_t c = leaf.freed(DeletedCell(5004, 9, "C3"));
         map[2] = {a, b, c};
         return Pages{{2, leaf.build()}};
       },
       "A1\tN/A\r\nB2\tN/A\r\nC3\tN/A\r\n", {2}},
      {"three deleted cells in one freeblock",
       [](uint32_t ps, FreeblockMap& map) {
         LeafPage leaf(ps);
         map[2] = {leaf.freed(Concat({DeletedCell(5001, 5, "Ann"), DeletedCell(5002, 5, "5551234"),
                                      DeletedCell(5003, 5, "ann@example.com")}))};
         return Pages{{2, leaf.build()}};
       },
       "Ann\t5551234\r\nAnn\tann@example.com\r\nann@example.com\t5551234\r\n", {2}},
      {"0x00 and 0x17 at offset + 4",
       [](uint32_t ps, FreeblockMap& map) {
         LeafPage leaf(ps);
         // A 2-byte rowid leaves the first serial type (0x00) at offset + 4; a
         // 3-byte rowid leaves the header-size byte there, here 0x17.
         const uint16_t a = leaf.freed(DeletedCell(5001, 5, "Ann"));
         const uint16_t b = leaf.freed(DeletedCell(20000, 5, "5551234"));
         leaf.patch(b + 4u, {0x17});
         map[2] = {a, b};
         Bytes page = leaf.build();
         EXPECT_EQ(page[a + 4u], 0x00);
         return Pages{{2, page}};
       },
       "Ann\t5551234\r\n", {2}},
      {"raw_contact_id 0 and 1 pair with each other",
       [](uint32_t ps, FreeblockMap& map) {
         LeafPage leaf(ps);
         const uint16_t a = leaf.freed(DeletedCell(5001, 0, "Ann"));
         const uint16_t b = leaf.freed(DeletedCell(5002, 1, "5551234"));
         map[2] = {a, b};
         return Pages{{2, leaf.build()}};
       },
       "Ann\t5551234\r\n", {2}},
      {"NULL data1 takes no part",
       [](uint32_t ps, FreeblockMap& map) {
         LeafPage leaf(ps);
         const uint16_t a = leaf.freed(Cell(5001, Row(7, Null())));
         const uint16_t b = leaf.freed(DeletedCell(5002, 7, "Ann"));
         map[2] = {a, b};
         return Pages{{2, leaf.build()}};
       },
       "Ann\tN/A\r\n", {2}},
      {"gap candidates: one-byte serial types only",
       [](uint32_t ps, FreeblockMap&) {
         LeafPage leaf(ps);
         leaf.cell(LiveCell(5000));
         // Remains of deleted cells between older bytes (kFiller).
         leaf.gap(0, Bytes(12, kFiller));
         leaf.gap(12, DeletedCell(5001, 7, "Gap Row", true));
         leaf.gap(33, Bytes(27, kFiller));
         leaf.gap(60, DeletedCell(5002, 7, "Android Row"));
         return Pages{{2, leaf.build()}};
       },
       "Gap Row\tN/A\r\n", {2}},
      {"two-byte serial type 0x81 0x03 in the gap",
       [](uint32_t ps, FreeblockMap&) {
         LeafPage leaf(ps);
         leaf.gap(0, Bytes(20, kFiller));
         leaf.gap(20, DeletedCell(5001, 7, std::string(59, 'z'), true));
         return Pages{{2, leaf.build()}};
       },
       std::string(59, 'z') + "\tN/A\r\n", {2}},
      {"freeblocks of all pages come before the gaps",
       [](uint32_t ps, FreeblockMap& map) {
         InteriorPage root(ps, 4);
         root.child(3);
         LeafPage p3(ps), p4(ps);
         p3.gap(0, Bytes(10, kFiller));
         p3.gap(10, DeletedCell(5001, 5, "Ann", true));
         map[4] = {p4.freed(DeletedCell(5002, 5, "ann@example.com"))};
         return Pages{{2, root.build()}, {3, p3.build()}, {4, p4.build()}};
       },
       "ann@example.com\tAnn\r\n", {3, 4}},
      {"a value that is not UTF-8 gives an empty half",
       [](uint32_t ps, FreeblockMap& map) {
         LeafPage leaf(ps);
         const uint16_t a = leaf.freed(DeletedCell(5001, 7, "\xFF\xFE"));
         const uint16_t b = leaf.freed(DeletedCell(5002, 7, "5551234"));
         map[2] = {a, b};
         return Pages{{2, leaf.build()}};
       },
       "\t5551234\r\n", {2}},
      {"names in other scripts pass unchanged",
       [](uint32_t ps, FreeblockMap& map) {
         LeafPage leaf(ps);
         const uint16_t a = leaf.freed(DeletedCell(5001, 7, "\xE5\xBC\xA0\xE4\xBC\x9F"));
         const uint16_t b = leaf.freed(DeletedCell(5002, 7, "\xD0\x90\xD0\xBD\xD1\x8F \xF0\x9F\x98\x80"));
         map[2] = {a, b};
         return Pages{{2, leaf.build()}};
       },
       "\xE5\xBC\xA0\xE4\xBC\x9F\t\xD0\x90\xD0\xBD\xD1\x8F \xF0\x9F\x98\x80\r\n", {2}},
  };
  return cases;
}

TEST(Engine, HandBuiltPages) {
  for (const PageCase& c : PageCases()) {
    SCOPED_TRACE(c.name);
    EngineFile file;
    FreeblockMap expectedMap;
    file.write(c.build(file.pageSize(), expectedMap));
    const Outcome out = RunEngine(file.path());
    EXPECT_EQ(out.text, c.text);
    EXPECT_EQ(out.leaves, c.leaves);
    EXPECT_EQ(out.freeblocks, expectedMap);
  }
}

TEST(Engine, LearnsLayoutAndRootThroughSqlite) {
  EngineFile file;
  SqliteParse engine(file.path(), std::string());
  engine.startParse(ePaserContacts);
  SqliteParseInspector inspect(engine);
  EXPECT_EQ(inspect.rootPage(), 2);
  EXPECT_EQ(inspect.pageSize(), 1024);
  EXPECT_EQ(inspect.dataColumnCount(), 7);
  EXPECT_EQ(inspect.rawContactIdIndex(), 3);
  EXPECT_EQ(inspect.data1Index(), 5);
}

TEST(Engine, UncalledMethodsDoWhatTheyDeclare) {
  EngineFile file;
  InteriorPage root(file.pageSize(), 0x01020304);
  file.write({{2, root.build()}});
  SqliteParse engine(file.path(), std::string());
  engine.startParse(ePaserContacts);
  SqliteParseInspector inspect(engine);
  // Interior page header: right-most child at offset 8.
  EXPECT_EQ(inspect.getCellPage(8, 2), 0x01020304);
  EXPECT_EQ(inspect.getCellPage(0, 1000000), 0);
  EXPECT_EQ(inspect.getColunmcount(), 1);
  const std::pair<unsigned, int> widths[] = {{0, 0}, {5, 6}, {7, 8}, {9, 0}, {12, 0}, {27, 7}, {28, 8}};
  for (const auto& w : widths) EXPECT_EQ(inspect.calculateDataWidth(w.first), w.second) << w.first;
  const std::pair<unsigned, int> kinds[] = {{0, 0}, {1, 1}, {2, 1}, {5, 1}, {6, 6}, {7, 3},
                                            {8, 8}, {12, 12}, {13, 4}, {14, 2}, {99, 4}};
  for (const auto& k : kinds) EXPECT_EQ(inspect.checkDataType(k.first), k.second) << k.first;
}

TEST(Engine, OtherParseKindsDoNothing) {
  EngineFile file;
  LeafPage leaf(file.pageSize());
  leaf.freed(DeletedCell(5001, 7, "Ann"));
  file.write({{2, leaf.build()}});
  SqliteParse engine(file.path(), std::string());
  engine.startParse(static_cast<ePaserType>(7));
  EXPECT_EQ(engine.get_contacts_mem(), "");
  engine.startParse(ePaserContacts);
  EXPECT_EQ(engine.get_contacts_mem(), "Ann\tN/A\r\n");
  // A second parse starts afresh rather than adding to the first.
  engine.startParse(ePaserContacts);
  EXPECT_EQ(engine.get_contacts_mem(), "Ann\tN/A\r\n");
}

}  // namespace
