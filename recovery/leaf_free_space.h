#pragma once
// The free space of the table's leaf pages, kept from the page walk for the
// carving so that each page of the file is read once. Only the bytes the
// carving can look at are kept: each freeblock's bytes after its 4-byte
// header, and the unallocated gap.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "recovery/btree_page.h"

namespace cdv {

struct FreeblockBytes {
  uint32_t offset = 0;            // within the page
  uint32_t sizeField = 0;         // as stored, header included
  const uint8_t* data = nullptr;  // the page's bytes from offset + 4 ...
  size_t length = 0;              // ... to the freeblock's end or the page's end
};

struct LeafFreeSpace {
  uint32_t page = 0;
  size_t firstFreeblock = 0;  // into freeblocks(), in chain order
  size_t freeblockCount = 0;
  const uint8_t* gap = nullptr;
  size_t gapLength = 0;
};

class LeafFreeSpaceStore {
 public:
  // Keeps the free space of leaf page `page` from its image.
  void add(uint32_t page, const uint8_t* image, uint32_t pageSize);
  const LeafFreeSpace* find(uint32_t page);
  const FreeblockBytes* freeblocks(const LeafFreeSpace& space) const {
    return freeblocks_.data() + space.firstFreeblock;
  }
  size_t byteCount() const { return byteCount_; }
  void clear();

 private:
  // Copies bytes into stable storage: blocks of 1 MiB, never moved.
  const uint8_t* keep(const uint8_t* bytes, size_t length);

  std::vector<std::unique_ptr<uint8_t[]>> blocks_;
  size_t blockUsed_ = 0;
  size_t blockSize_ = 0;
  size_t byteCount_ = 0;
  std::vector<FreeblockBytes> freeblocks_;
  std::vector<LeafFreeSpace> pages_;
  bool sorted_ = true;
  // Scratch for add(), kept to spare an allocation per page.
  std::vector<uint32_t> chain_;
  std::vector<PageRange> ranges_;
  std::vector<const uint8_t*> kept_;
};

}  // namespace cdv
