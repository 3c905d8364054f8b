#include "recovery/leaf_free_space.h"

#include <algorithm>

#include "recovery/btree_page.h"

namespace cdv {

void LeafFreeSpaceStore::add(uint32_t page, const uint8_t* image, uint32_t pageSize) {
  LeafFreeSpace space;
  space.chain = FreeblockChain(image, pageSize);

  // Each freeblock's data: from offset + 4 to the end its size field gives,
  // kept within the page.
  std::vector<PageRange> ranges;
  ranges.reserve(space.chain.size());
  for (uint32_t at : space.chain) {
    FreeblockBytes block;
    block.offset = at;
    block.sizeField = Get16(image + at + 2);
    const uint32_t dataAt = at + kFreeblockHeaderSize;
    const uint32_t end = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{at} + block.sizeField, pageSize));
    if (end > dataAt) {
      block.length = end - dataAt;
      ranges.push_back({dataAt, end});
    }
    space.freeblocks.push_back(block);
  }

  // A damaged page may declare overlapping freeblocks: keep each byte once.
  std::sort(ranges.begin(), ranges.end(),
            [](const PageRange& a, const PageRange& b) { return a.begin < b.begin; });
  std::vector<PageRange> merged;
  for (const PageRange& r : ranges) {
    if (!merged.empty() && r.begin <= merged.back().end) {
      merged.back().end = std::max(merged.back().end, r.end);
    } else {
      merged.push_back(r);
    }
  }
  std::vector<size_t> keptAt(merged.size());
  for (size_t i = 0; i < merged.size(); ++i) {
    keptAt[i] = bytes_.size();
    bytes_.insert(bytes_.end(), image + merged[i].begin, image + merged[i].end);
  }
  for (FreeblockBytes& block : space.freeblocks) {
    if (block.length == 0) continue;
    const uint32_t dataAt = block.offset + kFreeblockHeaderSize;
    const auto it = std::upper_bound(merged.begin(), merged.end(), dataAt,
                                     [](uint32_t pos, const PageRange& r) { return pos < r.begin; });
    const size_t i = static_cast<size_t>(it - merged.begin()) - 1;
    block.begin = keptAt[i] + (dataAt - merged[i].begin);
  }

  const PageRange gap = LeafGap(image, pageSize);
  space.gapBegin = bytes_.size();
  space.gapLength = gap.length();
  if (space.gapLength > 0) bytes_.insert(bytes_.end(), image + gap.begin, image + gap.end);
  pages_[page] = std::move(space);
}

const LeafFreeSpace* LeafFreeSpaceStore::find(uint32_t page) const {
  const auto it = pages_.find(page);
  return it == pages_.end() ? nullptr : &it->second;
}

void LeafFreeSpaceStore::clear() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  pages_.clear();
}

}  // namespace cdv
