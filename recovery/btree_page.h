#pragma once
// Fields of SQLite table B-tree pages, read from one page image. Every read is
// checked against the page's size; a pointer that leads off the page is
// ignored rather than followed into the next page.
#include <cstdint>
#include <vector>

namespace cdv {

constexpr uint8_t kInteriorTablePage = 5;
constexpr uint8_t kLeafTablePage = 13;
constexpr uint32_t kInteriorHeaderSize = 12;
constexpr uint32_t kLeafHeaderSize = 8;
constexpr uint32_t kFreeblockHeaderSize = 4;

inline uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
inline uint32_t Get32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Page size from the header field at file offset 16: 1 stands for 65536;
// anything but a power of two from 512 to 65536 gives 0.
uint32_t PageSizeFromField(uint16_t field);

// Child pages of an interior table page: the right-most child first (when not
// 0), then the left child of each cell in cell order.
void InteriorChildren(const uint8_t* page, uint32_t pageSize, std::vector<uint32_t>& children);

// Offsets of a leaf page's freeblocks in chain order. The chain ends at offset
// 0, at an offset whose 4-byte header would not fit on the page, or at an
// offset already seen (a damaged page may chain in a loop).
void FreeblockChain(const uint8_t* page, uint32_t pageSize, std::vector<uint32_t>& chain);
std::vector<uint32_t> FreeblockChain(const uint8_t* page, uint32_t pageSize);

// The unallocated gap of a leaf page: from the end of the cell pointer array
// to the start of the cell content area (0 there means 65536), clipped to the
// page. Empty when the two cross.
struct PageRange {
  uint32_t begin = 0;
  uint32_t end = 0;
  uint32_t length() const { return end > begin ? end - begin : 0; }
};
PageRange LeafGap(const uint8_t* page, uint32_t pageSize);

}  // namespace cdv
