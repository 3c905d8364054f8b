#include "recovery/serial_type.h"

#include <gtest/gtest.h>

#include "tests/recovery/page_builder.h"

namespace {

using cdvtest::Bytes;

TEST(SerialType, VarintsDecodeToValueAndLength) {
  struct Case {
    Bytes bytes;
    uint32_t value;
    uint32_t length;
  } cases[] = {
      {{0x00}, 0, 1},
      {{0x7F}, 127, 1},
      {{0x81, 0x03}, 131, 2},
      {{0x81, 0x80, 0x00}, 16384, 3},
      {cdvtest::Varint(0xFFFFFFFFu), 0xFFFFFFFFu, 5},
      // Beyond 32 bits the value is reported as 0xFFFFFFFF.
      {cdvtest::Varint(0x100000000ull), 0xFFFFFFFFu, 5},
      // Nine bytes: the last contributes all 8 bits.
      {{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x05}, 5, 9},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFFu, 9},
  };
  for (const Case& c : cases) {
    const cdv::RecordBuffer buf(c.bytes.data(), c.bytes.size());
    const cdv::Varint v = cdv::ReadVarint(buf, 0);
    EXPECT_EQ(v.value, c.value) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(v.length, c.length) << ::testing::PrintToString(c.bytes);
  }
}

TEST(SerialType, VarintRunningOffTheDataReadsZeros) {
  const Bytes bytes{0x81};
  const cdv::RecordBuffer buf(bytes.data(), bytes.size());
  const cdv::Varint v = cdv::ReadVarint(buf, 0);
  EXPECT_EQ(v.value, 128u);
  EXPECT_EQ(v.length, 2u);
  EXPECT_FALSE(buf.overrun());
}

TEST(SerialType, WidthsFollowTheRecordFormat) {
  const std::pair<uint32_t, uint64_t> cases[] = {
      {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 6}, {6, 8}, {7, 8}, {8, 0}, {9, 0}, {10, 0}, {11, 0},
      {12, 0}, {13, 0}, {14, 1}, {15, 1}, {131, 59}, {0xFFFFFFFFu, 2147483641u}, {0xFFFFFFFEu, 2147483641u},
  };
  for (const auto& c : cases) EXPECT_EQ(cdv::SerialTypeWidth(c.first), c.second) << c.first;
}

TEST(SerialType, ReadsBeyondTheRecordBufferAreFlagged) {
  const Bytes bytes(10, 0x41);
  const cdv::RecordBuffer buf(bytes.data(), bytes.size());
  EXPECT_EQ(buf.at(9), 0x41);
  EXPECT_EQ(buf.at(10), 0);  // zeroed rest of the buffer
  EXPECT_FALSE(buf.overrun());
  EXPECT_EQ(buf.at(cdv::kRecordBufferSize), 0);
  EXPECT_TRUE(buf.overrun());
  EXPECT_TRUE(buf.holds(cdv::kRecordBufferSize - 5, 5));
  EXPECT_FALSE(buf.holds(cdv::kRecordBufferSize - 5, 6));
  EXPECT_FALSE(buf.holds(100, UINT64_MAX));
}

}  // namespace
