// Carving the freeblocks and gaps of the walked leaf pages. Freeblocks come
// first, page by page in ascending order and in chain order within a page; the
// gaps follow, page by page.
#include <new>

#include "recovery/record_carver.h"
#include "recovery/sqlite_parse.h"

namespace {

// Every carved record takes at least one serial-type byte per column and
// the 4 bytes before it, which bounds the rows the free space can hold.
// Reserving that (up to a cap) spares the list's growth copying and
// re-faulting its memory; the reservation is only a hint.
template <class Rows>
void ReserveFor(Rows& rows, size_t freeBytes, int columnCount) {
  constexpr size_t kMostReserved = size_t{1} << 20;
  const size_t bound = freeBytes / (static_cast<size_t>(columnCount) + 4);
  try {
    rows.reserve(rows.size() + (bound < kMostReserved ? bound : kMostReserved));
  } catch (const std::bad_alloc&) {
  }
}

// Hands each freeblock's record area to `carve`, pages in ascending order and
// blocks in chain order; blocks too small to hold a record are skipped.
template <class Carve>
void ForEachFreeblockArea(const std::map<unsigned, std::vector<unsigned>>& freeblockMap,
                          cdv::LeafFreeSpaceStore& freeSpace, Carve carve) {
  for (const auto& entry : freeblockMap) {
    const cdv::LeafFreeSpace* space = freeSpace.find(entry.first);
    if (space == nullptr) continue;
    const cdv::FreeblockBytes* blocks = freeSpace.freeblocks(*space);
    for (size_t i = 0; i < space->freeblockCount; ++i) {
      const uint8_t* data = nullptr;
      size_t length = 0;
      if (cdv::FreeblockRecordArea(blocks[i].sizeField, blocks[i].data, blocks[i].length, &data, &length)) {
        carve(data, length);
      }
    }
  }
}

}  // namespace

void SqliteParse::parseContactFreelistCell(const int& rawContactIdIndex, const int& data1Index,
                                           const int& columnCount) {
  const cdv::ContactColumns columns{rawContactIdIndex, data1Index, columnCount};
  if (!columns.known()) return;
  ReserveFor(m_carvedContacts, m_leafFreeSpace.byteCount(), columnCount);
  ForEachFreeblockArea(m_freeblockMap, m_leafFreeSpace, [&](const uint8_t* data, size_t length) {
    cdv::CarveContactFreeblock(data, length, columns, m_carvedContacts);
  });
}

void SqliteParse::parseContactUnassignedArea(const int& rawContactIdIndex, const int& data1Index,
                                             const int& columnCount) {
  const cdv::ContactColumns columns{rawContactIdIndex, data1Index, columnCount};
  if (!columns.known()) return;
  for (unsigned page : m_leafPages) {
    const cdv::LeafFreeSpace* space = m_leafFreeSpace.find(page);
    if (space == nullptr || space->gapLength == 0) continue;
    cdv::CarveContactGap(space->gap, space->gapLength, columns, m_carvedContacts);
  }
}

void SqliteParse::parseSmsFresslistCell(const int& addressIndex, const int& personIndex, const int& bodyIndex,
                                        const int& columnCount) {
  const cdv::SmsColumns columns{addressIndex, personIndex, bodyIndex, columnCount};
  if (!columns.known()) return;
  ReserveFor(m_carvedSms, m_leafFreeSpace.byteCount(), columnCount);
  ForEachFreeblockArea(m_freeblockMap, m_leafFreeSpace, [&](const uint8_t* data, size_t length) {
    cdv::CarveSmsFreeblock(data, length, columns, m_carvedSms);
  });
}

void SqliteParse::parseSmsUnassignedArea(const int& addressIndex, const int& personIndex, const int& bodyIndex,
                                         const int& columnCount) {
  const cdv::SmsColumns columns{addressIndex, personIndex, bodyIndex, columnCount};
  if (!columns.known()) return;
  for (unsigned page : m_leafPages) {
    const cdv::LeafFreeSpace* space = m_leafFreeSpace.find(page);
    if (space == nullptr || space->gapLength == 0) continue;
    cdv::CarveSmsGap(space->gap, space->gapLength, columns, m_carvedSms);
  }
}
