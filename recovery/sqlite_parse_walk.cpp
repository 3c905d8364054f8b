// Reading the table's pages: page size, the B-tree walk, the leaf list and the
// freeblock map.
#include <algorithm>
#include <fstream>

#include "recovery/btree_page.h"
#include "recovery/page_reader.h"
#include "recovery/sqlite_parse.h"

void SqliteParse::getDbPageSize(const std::string& path) {
  std::ifstream in(path, std::ios::in | std::ios::binary);
  if (!in.is_open()) return;
  // Database header, offset 16: page size, big-endian; 1 stands for 65536.
  uint8_t field[2] = {0, 0};
  in.seekg(16);
  if (!in.read(reinterpret_cast<char*>(field), 2)) return;
  m_pageSize = static_cast<int>(cdv::PageSizeFromField(cdv::Get16(field)));
}

// The tree below `page`, level by level: each level's pages are read in
// ascending order (the file's pages are fetched through a read-ahead window,
// and the leaf list is sorted afterwards in any case). Each page is read once,
// whole: an interior page gives its children, a leaf page joins the leaf list
// and hands its free space to the carving. A page is walked at most once, so
// a damaged tree that points back to an ancestor (or twice to one page)
// cannot make the walk loop, and a deep chain of pages uses no recursion.
void SqliteParse::loopPage(int64_t page) {
  if (m_pageSize <= 0 || !m_file.is_open()) return;
  cdv::PageReader reader(m_file, static_cast<uint32_t>(m_pageSize));
  if (page <= 0 || static_cast<uint64_t>(page) > reader.pageCount()) return;

  std::vector<bool> queued(static_cast<size_t>(reader.pageCount()) + 1, false);
  std::vector<uint32_t> level{static_cast<uint32_t>(page)}, next, children;
  queued[static_cast<size_t>(page)] = true;
  while (!level.empty()) {
    std::sort(level.begin(), level.end());
    next.clear();
    for (uint32_t current : level) {
      uint32_t got = 0;
      const uint8_t* image = reader.read(current, got);
      if (got == 0) continue;
      // Page header: byte 0 is the page type.
      if (image[0] == cdv::kInteriorTablePage) {
        if (got < cdv::kInteriorHeaderSize) continue;
        cdv::InteriorChildren(image, reader.pageSize(), children);
        for (uint32_t child : children) {
          if (child == 0 || child > reader.pageCount() || queued[child]) continue;
          queued[child] = true;
          next.push_back(child);
        }
      } else if (image[0] == cdv::kLeafTablePage) {
        if (got < cdv::kLeafHeaderSize) continue;
        m_leafPages.push_back(current);
        m_leafFreeSpace.add(current, image, reader.pageSize());
      }
    }
    level.swap(next);
  }
}

void SqliteParse::sortLeafPage() {
  std::sort(m_leafPages.begin(), m_leafPages.end());
}

void SqliteParse::loadFreelistCell(std::vector<unsigned> /*leafPages*/) {
  for (unsigned page : m_leafPages) {
    const cdv::LeafFreeSpace* space = m_leafFreeSpace.find(page);
    if (space == nullptr || space->freeblockCount == 0) continue;
    const cdv::FreeblockBytes* blocks = m_leafFreeSpace.freeblocks(*space);
    std::vector<unsigned> offsets(space->freeblockCount);
    for (size_t i = 0; i < offsets.size(); ++i) offsets[i] = blocks[i].offset;
    m_freeblockMap.emplace(page, std::move(offsets));
  }
}

int64_t SqliteParse::getCellPage(int64_t offset, int64_t page) {
  if (m_pageSize <= 0 || !m_file.is_open() || page <= 0 || offset < 0) return 0;
  const uint64_t at = (static_cast<uint64_t>(page) - 1) * static_cast<uint64_t>(m_pageSize) +
                      static_cast<uint64_t>(offset);
  uint8_t bytes[4] = {0, 0, 0, 0};
  m_file.clear();
  m_file.seekg(static_cast<std::streamoff>(at));
  const bool ok = static_cast<bool>(m_file.read(reinterpret_cast<char*>(bytes), 4));
  m_file.clear();
  return ok ? static_cast<int64_t>(cdv::Get32(bytes)) : 0;
}
