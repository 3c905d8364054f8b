#include "recovery/record_carver.h"

#include <gtest/gtest.h>

#include "tests/recovery/page_builder.h"

namespace {

using cdvtest::Blob;
using cdvtest::Bytes;
using cdvtest::Cell;
using cdvtest::Column;
using cdvtest::Concat;
using cdvtest::Int;
using cdvtest::Int8;
using cdvtest::Null;
using cdvtest::Raw;
using cdvtest::Record;
using cdvtest::Text;

using Rows = std::vector<std::pair<std::string, std::string>>;

// The small data table: _id (rowid alias, stored as NULL), package_id,
// mimetype_id, raw_contact_id, is_read_only, data1, data2.
const cdv::ContactColumns kColumns{3, 5, 7};

std::vector<Column> Row(Column raw, Column data1, Column isReadOnly = Int(0), Column package = Null()) {
  return {Null(), package, Int8(5), raw, isReadOnly, data1, Null()};
}

Rows Pairs(const std::vector<CarvedContact>& carved) {
  Rows rows;
  for (const CarvedContact& c : carved) rows.push_back({c.rawContactId, c.data1});
  return rows;
}

// Carves a freeblock made of deleted cells: its 4-byte header overwrites the
// first cell's first 4 bytes; `size` defaults to the cells' length.
Rows CarveFreeblock(const Bytes& cells, int size = -1, const cdv::ContactColumns& columns = kColumns) {
  const uint32_t sizeField = size >= 0 ? static_cast<uint32_t>(size) : static_cast<uint32_t>(cells.size());
  const Bytes after(cells.begin() + 4, cells.end());
  const uint8_t* data = nullptr;
  size_t length = 0;
  std::vector<CarvedContact> out;
  if (cdv::FreeblockRecordArea(sizeField, after.data(), after.size(), &data, &length)) {
    cdv::CarveContactFreeblock(data, length, columns, out);
  }
  return Pairs(out);
}

Rows CarveGap(const Bytes& gap, const cdv::ContactColumns& columns = kColumns) {
  std::vector<CarvedContact> out;
  cdv::CarveContactGap(gap.data(), gap.size(), columns, out);
  return Pairs(out);
}

const std::string k7("\x07", 1);

TEST(FreeblockCarving, Cases) {
  const Bytes ann = Cell(5000, Row(Int(7), Text("Ann")));
  const Bytes digits = Cell(5001, Row(Int(7), Text("5551234")));
  const Bytes mail = Cell(5002, Row(Int(7), Text("ann@example.com")));
  struct Case {
    const char* name;
    Bytes cells;
    int size;
    Rows expected;
  } cases[] = {
      {"one row", ann, -1, {{k7, "Ann"}}},
      {"three rows in one freeblock, in order", Concat({ann, digits, mail}), -1,
       {{k7, "Ann"}, {k7, "5551234"}, {k7, "ann@example.com"}}},
      // A 3-byte rowid: the byte at offset + 4 is the header size (8), skipped.
      {"header-size byte at offset + 4 is skipped", Cell(20000, Row(Int(7), Text("Bea"))), -1, {{k7, "Bea"}}},
      {"raw_contact_id 1 and 0 store no bytes",
       Concat({Cell(5000, Row(Int(1), Text("One"))), Cell(5001, Row(Int(0), Text("Zero")))}), -1,
       {{"", "One"}, {"", "Zero"}}},
      {"two-byte raw_contact_id", Cell(5000, Row(Int(300), Text("Cy"))), -1, {{"\x01\x2C", "Cy"}}},
      {"NULL data1", Cell(5000, Row(Int(7), Null())), -1, {{k7, ""}}},
      {"leading empty BLOB has width 0", Cell(5000, Row(Int(7), Text("Di"), Int(0), Blob({}))), -1, {{k7, "Di"}}},
      {"a row cut by the freeblock's end is dropped, earlier rows stay", Concat({ann, digits}),
       static_cast<int>(ann.size() + 10), {{k7, "Ann"}}},
      {"size below the header", ann, 3, {}},
      {"size of the header only", ann, 4, {}},
      {"a serial type claiming 2 GB ends the freeblock",
       Concat({ann, Cell(5001, Row(Int(7), Raw(0xFFFFFFFFu, {}))), mail}), -1, {{k7, "Ann"}}},
      {"widths adding up past 2^31 in one record",
       Concat({ann, Cell(5001, {Null(), Null(), Int8(5), Int(7), Int(0), Text("Eve"), Raw(0xFFFFFFFFu, {})}), mail}),
       -1, {{k7, "Ann"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(CarveFreeblock(c.cells, c.size), c.expected) << c.name;
}

TEST(FreeblockCarving, ByteAtOffsetFourDecidesWhereDataBegins) {
  // The bytes at offset + 4 onwards, as two variants: the first serial type
  // itself (0x00), or a header-size byte (0x17) before it.
  const Bytes types = {0x00, 0x00, 0x01, 0x01, 0x08, 0x13, 0x00, 0x05, 0x07, 'E', 'v', 'a'};
  for (uint8_t lead : {uint8_t{0x00}, uint8_t{0x17}}) {
    const Bytes after = lead == 0x00 ? types : Concat({{lead}, types});
    const uint8_t* data = nullptr;
    size_t length = 0;
    ASSERT_TRUE(cdv::FreeblockRecordArea(static_cast<uint32_t>(after.size() + 4), after.data(), after.size(),
                                         &data, &length));
    EXPECT_EQ(data, after.data() + (lead == 0x00 ? 0 : 1));
    EXPECT_EQ(length, types.size());
    std::vector<CarvedContact> out;
    cdv::CarveContactFreeblock(data, length, kColumns, out);
    EXPECT_EQ(Pairs(out), (Rows{{k7, "Eva"}})) << int{lead};
  }
  // Size 5 with a skipped byte leaves nothing.
  const Bytes one{0x17};
  const uint8_t* data = nullptr;
  size_t length = 0;
  EXPECT_FALSE(cdv::FreeblockRecordArea(5, one.data(), 1, &data, &length));
}

TEST(FreeblockCarving, UnknownLayoutCarvesNothing) {
  const Bytes ann = Cell(5000, Row(Int(7), Text("Ann")));
  for (const cdv::ContactColumns& columns :
       {cdv::ContactColumns{3, 5, 0}, cdv::ContactColumns{-1, 5, 7}, cdv::ContactColumns{3, -1, 7},
        cdv::ContactColumns{3, 9, 7}}) {
    EXPECT_TRUE(CarveFreeblock(ann, -1, columns).empty());
    EXPECT_TRUE(CarveGap(ann, columns).empty());
  }
}

TEST(GapCarving, Cases) {
  // In the gap, pre-data1 columns must have one-byte serial types up to 7:
  // is_read_only stored as serial type 1 rather than 8.
  const Bytes ann = Cell(5000, Row(Int(7), Text("Ann"), Int8(0)));
  const Bytes bo = Cell(5001, Row(Int(9), Text("Bo"), Int8(0)));
  const std::string long59(59, 'x');
  const Bytes junk(30, 0xFF);
  const Bytes cut = Record(Row(Int(7), Text("Annabelle!"), Int8(0)));
  struct Case {
    const char* name;
    Bytes gap;
    Rows expected;
  } cases[] = {
      {"empty gap", {}, {}},
      {"a row found between zeros", Concat({Bytes(6, 0), ann, Bytes(10, 0)}), {{k7, "Ann"}}},
      {"two rows in a row", Concat({ann, bo}), {{k7, "Ann"}, {"\x09", "Bo"}}},
      {"is_read_only 0 (serial type 8) is no candidate", Cell(5000, Row(Int(7), Text("Ann"))), {}},
      {"two-byte data1 serial type 0x81 0x03", Cell(5000, Row(Int(7), Text(long59), Int8(0))), {{k7, long59}}},
      {"shorter than data1 index + 1", {0, 0, 1, 1, 1}, {}},
      // The record's length is measured against the gap's length from the
      // candidate, so its text may run past the gap's end: zeros there.
      {"text past the gap's end reads zeros", Concat({junk, Bytes(cut.begin() + 1, cut.end() - 3)}),
       {{k7, std::string("Annabel\0\0\0", 10)}}},
  };
  for (const Case& c : cases) EXPECT_EQ(CarveGap(c.gap), c.expected) << c.name;
}

TEST(GapCarving, ValueBeyondTheRecordBufferIsDropped) {
  // data1 as the last column, claiming 110000 bytes: its first varint byte is
  // odd, so the position is a candidate, but the value would lie beyond the
  // 65535-byte record buffer.
  const uint64_t type = 13 + 2 * 110000;
  ASSERT_EQ(cdvtest::Varint(type)[0] & 1, 1);
  const cdv::ContactColumns lastIsData1{3, 6, 7};
  const Bytes gap = Concat({Record({Null(), Null(), Int8(5), Int(7), Int8(0), Int8(2), Raw(type, {})}),
                            Bytes(100, 'y')});
  EXPECT_TRUE(CarveGap(gap, lastIsData1).empty());
}

// The message table's layout: _id, thread_id, address, person, date,
// date_sent, protocol, read, status, type, reply_path_present, subject, body,
// service_center.
const cdv::SmsColumns kSms{2, 3, 12, 14};

// `blobFirst`: the first column is a one-byte BLOB (serial type 14).
std::vector<Column> SmsRow(const std::string& address, const std::string& body, bool blobFirst = false) {
  return {blobFirst ? Blob({0}) : Null(),
          Int8(3), Text(address), Null(), Raw(5, Bytes(6, 1)), Int8(0), Int8(0), Int8(1), Int8(0),
          Int8(1), Int8(0), Null(), Text(body), Null()};
}

using SmsRows = std::vector<std::vector<std::string>>;

SmsRows Triples(const std::vector<CarvedSms>& carved) {
  SmsRows rows;
  for (const CarvedSms& s : carved) rows.push_back({s.address, s.person, s.body});
  return rows;
}

TEST(SmsCarving, FreeblockAndGap) {
  // The second row's first serial type equals the column count (14, a
  // one-byte BLOB): the message rule still starts it 4 bytes on.
  const Bytes cells = Concat({Cell(5000, SmsRow("10086", "hello")), Cell(5001, SmsRow("10010", "bye", true))});
  const Bytes after(cells.begin() + 4, cells.end());
  std::vector<CarvedSms> out;
  cdv::CarveSmsFreeblock(after.data(), after.size(), kSms, out);
  EXPECT_EQ(Triples(out), (SmsRows{{"10086", "", "hello"}, {"10010", "", "bye"}}));

  out.clear();
  const Bytes gap = Concat({Bytes(5, 0xFF), Cell(5000, SmsRow("10086", "hello")), Bytes(5, 0)});
  cdv::CarveSmsGap(gap.data(), gap.size(), kSms, out);
  EXPECT_EQ(Triples(out), (SmsRows{{"10086", "", "hello"}}));

  out.clear();
  cdv::CarveSmsGap(gap.data(), gap.size(), cdv::SmsColumns{2, 3, 12, 0}, out);
  EXPECT_TRUE(out.empty());
}

}  // namespace
