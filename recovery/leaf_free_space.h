#pragma once
// The free space of the table's leaf pages, kept from the page walk for the
// carving so that each page of the file is read once. Only the bytes the
// carving can look at are kept: each freeblock's bytes after its 4-byte
// header, and the unallocated gap.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace cdv {

struct FreeblockBytes {
  uint32_t offset = 0;     // within the page
  uint32_t sizeField = 0;  // as stored, header included
  size_t begin = 0;        // into the store's bytes: the page's bytes from offset + 4
  size_t length = 0;       // up to the freeblock's end or the page's end
};

struct LeafFreeSpace {
  std::vector<uint32_t> chain;  // freeblock offsets in chain order
  std::vector<FreeblockBytes> freeblocks;
  size_t gapBegin = 0;
  size_t gapLength = 0;
};

class LeafFreeSpaceStore {
 public:
  // Keeps the free space of leaf page `page` from its image.
  void add(uint32_t page, const uint8_t* image, uint32_t pageSize);
  const LeafFreeSpace* find(uint32_t page) const;
  const uint8_t* bytes(size_t begin) const { return bytes_.data() + begin; }
  size_t byteCount() const { return bytes_.size(); }
  void clear();

 private:
  std::vector<uint8_t> bytes_;
  std::unordered_map<uint32_t, LeafFreeSpace> pages_;
};

}  // namespace cdv
