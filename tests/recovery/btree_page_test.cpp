#include "recovery/btree_page.h"

#include <gtest/gtest.h>

#include "recovery/leaf_free_space.h"
#include "tests/recovery/page_builder.h"

namespace {

using cdvtest::BigEndian;
using cdvtest::Bytes;

TEST(BtreePage, PageSizeField) {
  const std::pair<uint16_t, uint32_t> cases[] = {
      {512, 512}, {1024, 1024}, {4096, 4096}, {32768, 32768}, {1, 65536},
      {0, 0}, {256, 0}, {1000, 0}, {4097, 0}, {0xFFFF, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(cdv::PageSizeFromField(c.first), c.second) << c.first;
}

TEST(BtreePage, InteriorChildrenRightMostFirstThenCellOrder) {
  cdvtest::InteriorPage interior(512, 9);
  interior.child(4);
  interior.child(7);
  const Bytes page = interior.build();
  std::vector<uint32_t> children;
  cdv::InteriorChildren(page.data(), 512, children);
  EXPECT_EQ(children, (std::vector<uint32_t>{9, 4, 7}));

  cdvtest::InteriorPage noRight(512, 0);
  noRight.child(3);
  const Bytes page2 = noRight.build();
  cdv::InteriorChildren(page2.data(), 512, children);
  EXPECT_EQ(children, (std::vector<uint32_t>{3}));
}

TEST(BtreePage, InteriorPointersOffThePageAreIgnored) {
  // A cell pointer to the page's last 2 bytes: the 4-byte child number
  // would run off the page.
  cdvtest::InteriorPage interior(512, 0);
  interior.child(4);
  interior.child(5);
  Bytes page = interior.build();
  page[14] = 0x01;
  page[15] = 0xFE;
  std::vector<uint32_t> children;
  cdv::InteriorChildren(page.data(), 512, children);
  EXPECT_EQ(children, (std::vector<uint32_t>{4}));

  // Every pointer 0xFFFF and a cell count whose pointer array runs off the page.
  Bytes damaged(64, 0xFF);
  damaged[0] = 5;
  damaged[8] = damaged[9] = damaged[10] = damaged[11] = 0;
  cdv::InteriorChildren(damaged.data(), 64, children);
  EXPECT_TRUE(children.empty());
}

TEST(BtreePage, FreeblockChains) {
  struct Case {
    const char* name;
    std::vector<std::pair<uint16_t, uint16_t>> blocks;  // offset, next
    uint16_t first;
    std::vector<uint32_t> chain;
  } cases[] = {
      {"none", {}, 0, {}},
      {"three in chain order, not sorted", {{400, 200}, {200, 300}, {300, 0}}, 400, {400, 200, 300}},
      {"loop back to the first", {{400, 200}, {200, 400}}, 400, {400, 200}},
      {"points at itself", {{300, 300}}, 300, {300}},
      {"header would leave the page", {{300, 510}}, 300, {300}},
      {"first offset off the page", {}, 600, {}},
  };
  for (const Case& c : cases) {
    Bytes page(512, 0);
    page[0] = 13;
    page[1] = static_cast<uint8_t>(c.first >> 8);
    page[2] = static_cast<uint8_t>(c.first);
    for (const auto& b : c.blocks) {
      page[b.first] = static_cast<uint8_t>(b.second >> 8);
      page[b.first + 1] = static_cast<uint8_t>(b.second);
    }
    EXPECT_EQ(cdv::FreeblockChain(page.data(), 512), c.chain) << c.name;
  }
}

TEST(BtreePage, LeafGapBounds) {
  struct Case {
    const char* name;
    uint32_t pageSize;
    uint16_t cells;
    uint16_t contentStart;
    uint32_t begin, length;
  } cases[] = {
      {"two cells", 512, 2, 400, 12, 388},
      {"no gap", 512, 2, 12, 12, 0},
      {"content start inside the pointer array", 512, 4, 10, 16, 0},
      {"content start past the page", 512, 0, 600, 8, 504},
      {"cell count past the page", 512, 0xFFFF, 400, 131078, 0},
      {"0 means 65536 on 64 KiB pages", 65536, 1, 0, 10, 65526},
      {"0 on smaller pages is 0", 4096, 1, 0, 10, 0},
  };
  for (const Case& c : cases) {
    Bytes page(c.pageSize, 0);
    page[0] = 13;
    page[3] = static_cast<uint8_t>(c.cells >> 8);
    page[4] = static_cast<uint8_t>(c.cells);
    page[5] = static_cast<uint8_t>(c.contentStart >> 8);
    page[6] = static_cast<uint8_t>(c.contentStart);
    const cdv::PageRange gap = cdv::LeafGap(page.data(), c.pageSize);
    EXPECT_EQ(gap.begin, c.begin) << c.name;
    EXPECT_EQ(gap.length(), c.length) << c.name;
  }
}

TEST(LeafFreeSpace, KeepsFreeblockDataAndGapOnce) {
  cdvtest::LeafPage leaf(512);
  leaf.cell(Bytes(20, 0xAA));
  leaf.freed(Bytes(30, 0x11));
  leaf.freed(Bytes(10, 0x22));
  leaf.gap(4, Bytes{1, 2, 3});
  Bytes page = leaf.build();
  // A damaged size field that makes the second freeblock run over the first.
  const uint16_t second = static_cast<uint16_t>(512 - 20 - 30 - 10);
  page[second + 2] = 0;
  page[second + 3] = 45;

  cdv::LeafFreeSpaceStore store;
  store.add(7, page.data(), 512);
  const cdv::LeafFreeSpace* space = store.find(7);
  ASSERT_NE(space, nullptr);
  ASSERT_EQ(space->freeblockCount, 2u);
  const cdv::FreeblockBytes* blocks = store.freeblocks(*space);
  EXPECT_EQ(blocks[0].offset, 462u);
  EXPECT_EQ(blocks[1].offset, 452u);
  EXPECT_EQ(blocks[0].length, 26u);
  EXPECT_EQ(blocks[1].length, 41u);
  EXPECT_EQ(blocks[0].data[0], 0x11);
  EXPECT_EQ(blocks[1].data[0], 0x22);
  // The second freeblock's bytes run on into the first one's.
  EXPECT_EQ(blocks[1].data[10], 0x11);
  EXPECT_EQ(space->gapLength, 452u - 10u);
  EXPECT_EQ(space->gap[4], 1);
  // Overlapping ranges are stored once: offsets 456 to 497, plus the gap.
  EXPECT_EQ(store.byteCount(), (497u - 456u) + space->gapLength);
  EXPECT_EQ(store.find(8), nullptr);

  // Pages added out of order are still found.
  store.add(3, page.data(), 512);
  ASSERT_NE(store.find(3), nullptr);
  EXPECT_EQ(store.find(3)->page, 3u);
  EXPECT_EQ(store.find(7)->page, 7u);
}

TEST(LeafFreeSpace, ThousandsOfFreeblocksOnOnePage) {
  // A damaged 64 KiB page chaining 16,000 four-byte freeblocks.
  Bytes page(65536, 0);
  page[0] = 13;
  const uint32_t first = 1000;
  page[1] = static_cast<uint8_t>(first >> 8);
  page[2] = static_cast<uint8_t>(first);
  for (uint32_t i = 0; i < 16000; ++i) {
    const uint32_t at = first + 4 * i;
    const uint32_t next = i + 1 < 16000 ? at + 4 : 0;
    page[at] = static_cast<uint8_t>(next >> 8);
    page[at + 1] = static_cast<uint8_t>(next);
    page[at + 3] = 5;  // size 5: one data byte, overlapping the next block's header
  }
  cdv::LeafFreeSpaceStore store;
  store.add(2, page.data(), 65536);
  const cdv::LeafFreeSpace* space = store.find(2);
  ASSERT_NE(space, nullptr);
  EXPECT_EQ(space->freeblockCount, 16000u);
  EXPECT_EQ(store.freeblocks(*space)[15999].data[0], 0);
}

}  // namespace
