// Carving the freeblocks and gaps of the walked leaf pages. Freeblocks come
// first, page by page in ascending order and in chain order within a page; the
// gaps follow, page by page.
#include "recovery/record_carver.h"
#include "recovery/sqlite_parse.h"

void SqliteParse::parseContactFreelistCell(const int& rawContactIdIndex, const int& data1Index,
                                           const int& columnCount) {
  const cdv::ContactColumns columns{rawContactIdIndex, data1Index, columnCount};
  if (!columns.known()) return;
  for (const auto& entry : m_freeblockMap) {
    const cdv::LeafFreeSpace* space = m_leafFreeSpace.find(entry.first);
    if (space == nullptr) continue;
    for (const cdv::FreeblockBytes& block : space->freeblocks) {
      const uint8_t* data = nullptr;
      size_t length = 0;
      if (!cdv::FreeblockRecordArea(block.sizeField, m_leafFreeSpace.bytes(block.begin), block.length, &data,
                                    &length)) {
        continue;
      }
      cdv::CarveContactFreeblock(data, length, columns, m_carvedContacts);
    }
  }
}

void SqliteParse::parseContactUnassignedArea(const int& rawContactIdIndex, const int& data1Index,
                                             const int& columnCount) {
  const cdv::ContactColumns columns{rawContactIdIndex, data1Index, columnCount};
  if (!columns.known()) return;
  for (unsigned page : m_leafPages) {
    const cdv::LeafFreeSpace* space = m_leafFreeSpace.find(page);
    if (space == nullptr || space->gapLength == 0) continue;
    cdv::CarveContactGap(m_leafFreeSpace.bytes(space->gapBegin), space->gapLength, columns, m_carvedContacts);
  }
}

void SqliteParse::parseSmsFresslistCell(const int& addressIndex, const int& personIndex, const int& bodyIndex,
                                        const int& columnCount) {
  const cdv::SmsColumns columns{addressIndex, personIndex, bodyIndex, columnCount};
  if (!columns.known()) return;
  for (const auto& entry : m_freeblockMap) {
    const cdv::LeafFreeSpace* space = m_leafFreeSpace.find(entry.first);
    if (space == nullptr) continue;
    for (const cdv::FreeblockBytes& block : space->freeblocks) {
      const uint8_t* data = nullptr;
      size_t length = 0;
      if (!cdv::FreeblockRecordArea(block.sizeField, m_leafFreeSpace.bytes(block.begin), block.length, &data,
                                    &length)) {
        continue;
      }
      cdv::CarveSmsFreeblock(data, length, columns, m_carvedSms);
    }
  }
}

void SqliteParse::parseSmsUnassignedArea(const int& addressIndex, const int& personIndex, const int& bodyIndex,
                                         const int& columnCount) {
  const cdv::SmsColumns columns{addressIndex, personIndex, bodyIndex, columnCount};
  if (!columns.known()) return;
  for (unsigned page : m_leafPages) {
    const cdv::LeafFreeSpace* space = m_leafFreeSpace.find(page);
    if (space == nullptr || space->gapLength == 0) continue;
    cdv::CarveSmsGap(m_leafFreeSpace.bytes(space->gapBegin), space->gapLength, columns, m_carvedSms);
  }
}
