#include "recovery/leaf_free_space.h"

#include <algorithm>
#include <cstring>

namespace cdv {
namespace {

constexpr size_t kBlockSize = size_t{1} << 20;

}  // namespace

const uint8_t* LeafFreeSpaceStore::keep(const uint8_t* bytes, size_t length) {
  if (length == 0) return nullptr;
  if (blocks_.empty() || blockSize_ - blockUsed_ < length) {
    blockSize_ = std::max(kBlockSize, length);
    blocks_.emplace_back(new uint8_t[blockSize_]);
    blockUsed_ = 0;
  }
  uint8_t* at = blocks_.back().get() + blockUsed_;
  std::memcpy(at, bytes, length);
  blockUsed_ += length;
  byteCount_ += length;
  return at;
}

void LeafFreeSpaceStore::add(uint32_t page, const uint8_t* image, uint32_t pageSize) {
  LeafFreeSpace space;
  space.page = page;
  space.firstFreeblock = freeblocks_.size();
  FreeblockChain(image, pageSize, chain_);

  // Each freeblock's data runs from offset + 4 to the end its size field
  // gives, kept within the page. A damaged page may declare overlapping
  // freeblocks: their union is kept once.
  ranges_.clear();
  for (uint32_t at : chain_) {
    FreeblockBytes block;
    block.offset = at;
    block.sizeField = Get16(image + at + 2);
    const uint32_t dataAt = at + kFreeblockHeaderSize;
    const uint32_t end = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{at} + block.sizeField, pageSize));
    if (end > dataAt) {
      block.length = end - dataAt;
      ranges_.push_back({dataAt, end});
    }
    freeblocks_.push_back(block);
  }
  space.freeblockCount = chain_.size();
  std::sort(ranges_.begin(), ranges_.end(),
            [](const PageRange& a, const PageRange& b) { return a.begin < b.begin; });
  size_t merged = 0;
  for (const PageRange& r : ranges_) {
    if (merged > 0 && r.begin <= ranges_[merged - 1].end) {
      ranges_[merged - 1].end = std::max(ranges_[merged - 1].end, r.end);
    } else {
      ranges_[merged++] = r;
    }
  }
  ranges_.resize(merged);
  kept_.resize(merged);
  for (size_t i = 0; i < merged; ++i) kept_[i] = keep(image + ranges_[i].begin, ranges_[i].length());
  for (size_t i = space.firstFreeblock; i < freeblocks_.size(); ++i) {
    FreeblockBytes& block = freeblocks_[i];
    if (block.length == 0) continue;
    const uint32_t dataAt = block.offset + kFreeblockHeaderSize;
    // The merged range holding dataAt: the last one that begins at or before it.
    const auto it = std::upper_bound(ranges_.begin(), ranges_.end(), dataAt,
                                     [](uint32_t pos, const PageRange& r) { return pos < r.begin; });
    const size_t r = static_cast<size_t>(it - ranges_.begin()) - 1;
    block.data = kept_[r] + (dataAt - ranges_[r].begin);
  }

  const PageRange gap = LeafGap(image, pageSize);
  space.gapLength = gap.length();
  space.gap = keep(image + gap.begin, space.gapLength);
  if (!pages_.empty() && pages_.back().page > page) sorted_ = false;
  pages_.push_back(space);
}

const LeafFreeSpace* LeafFreeSpaceStore::find(uint32_t page) {
  if (!sorted_) {
    std::sort(pages_.begin(), pages_.end(),
              [](const LeafFreeSpace& a, const LeafFreeSpace& b) { return a.page < b.page; });
    sorted_ = true;
  }
  const auto it = std::lower_bound(pages_.begin(), pages_.end(), page,
                                   [](const LeafFreeSpace& s, uint32_t p) { return s.page < p; });
  return it != pages_.end() && it->page == page ? &*it : nullptr;
}

void LeafFreeSpaceStore::clear() {
  blocks_.clear();
  blockUsed_ = blockSize_ = byteCount_ = 0;
  freeblocks_.clear();
  freeblocks_.shrink_to_fit();
  pages_.clear();
  pages_.shrink_to_fit();
  sorted_ = true;
}

}  // namespace cdv
