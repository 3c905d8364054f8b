#include "recovery/btree_page.h"

#include <algorithm>

namespace cdv {

uint32_t PageSizeFromField(uint16_t field) {
  if (field == 1) return 65536;
  if (field < 512 || (field & (field - 1)) != 0) return 0;
  return field;
}

void InteriorChildren(const uint8_t* page, uint32_t pageSize, std::vector<uint32_t>& children) {
  children.clear();
  if (pageSize < kInteriorHeaderSize) return;
  const uint32_t rightMost = Get32(page + 8);
  if (rightMost != 0) children.push_back(rightMost);
  const uint32_t cells = Get16(page + 3);
  for (uint32_t i = 0; i < cells; ++i) {
    const uint32_t pointerAt = kInteriorHeaderSize + 2 * i;
    if (pointerAt + 2 > pageSize) break;
    // An interior cell begins with its 4-byte left child page number.
    const uint32_t cellAt = Get16(page + pointerAt);
    if (cellAt + 4 > pageSize) continue;
    children.push_back(Get32(page + cellAt));
  }
}

void FreeblockChain(const uint8_t* page, uint32_t pageSize, std::vector<uint32_t>& chain) {
  chain.clear();
  if (pageSize < kLeafHeaderSize) return;
  // Chains are short: a repeat is looked for among the offsets so far, and
  // only a long chain gets a bitmap of the page.
  constexpr size_t kShortChain = 32;
  std::vector<bool> seen;
  uint32_t at = Get16(page + 1);
  while (at != 0 && at + kFreeblockHeaderSize <= pageSize) {
    if (chain.size() < kShortChain) {
      if (std::find(chain.begin(), chain.end(), at) != chain.end()) break;
    } else {
      if (seen.empty()) {
        seen.assign(pageSize, false);
        for (uint32_t earlier : chain) seen[earlier] = true;
      }
      if (seen[at]) break;
      seen[at] = true;
    }
    chain.push_back(at);
    at = Get16(page + at);
  }
}

std::vector<uint32_t> FreeblockChain(const uint8_t* page, uint32_t pageSize) {
  std::vector<uint32_t> chain;
  FreeblockChain(page, pageSize, chain);
  return chain;
}

PageRange LeafGap(const uint8_t* page, uint32_t pageSize) {
  PageRange gap;
  if (pageSize < kLeafHeaderSize) return gap;
  gap.begin = kLeafHeaderSize + 2 * uint32_t{Get16(page + 3)};
  const uint32_t contentStart = Get16(page + 5);
  gap.end = contentStart == 0 && pageSize == 65536 ? 65536 : contentStart;
  if (gap.end > pageSize) gap.end = pageSize;
  if (gap.end < gap.begin) gap.end = gap.begin;
  return gap;
}

}  // namespace cdv
