#pragma once
// Assembles SQLite table pages byte by byte for the engine's tests: records
// with chosen serial types, cells, leaf pages with live cells, freeblocks and
// gap remains, and interior pages.
#include <cstdint>
#include <string>
#include <vector>

namespace cdvtest {

using Bytes = std::vector<uint8_t>;

Bytes Varint(uint64_t value);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes BigEndian(uint64_t value, int width);

// One column of a record: its serial type and its body bytes.
struct Column {
  uint64_t serialType;
  Bytes body;
};
Column Null();
Column Int(int64_t value);  // smallest integer serial type, 8/9 for 0/1
Column Int8(int64_t value);  // serial type 1 even for 0 and 1
Column Text(const std::string& text);
Column Blob(const Bytes& bytes);
Column Raw(uint64_t serialType, const Bytes& body);  // any serial type, any body

// Header-size varint, serial types, then the bodies.
Bytes Record(const std::vector<Column>& columns);
// Payload-size varint, rowid varint, record.
Bytes Cell(uint64_t rowid, const std::vector<Column>& columns);

// A leaf table page laid out from the page's end downwards, as SQLite fills it.
class LeafPage {
 public:
  explicit LeafPage(uint32_t pageSize) : pageSize_(pageSize) {}

  // A live cell; returns its offset.
  uint16_t cell(const Bytes& cellBytes);
  // Deleted cells that become one freeblock: the freeblock header overwrites
  // their first 4 bytes. Freeblocks are chained in the order they are added
  // (each lies below the one before, so chain order is not offset order).
  // `size` overrides the freeblock's size field.
  uint16_t freed(const Bytes& cellBytes, int size = -1);
  // Bytes left in the unallocated gap, `at` bytes after the cell pointer array.
  void gap(uint32_t at, const Bytes& bytes);
  // Header overrides for damaged pages.
  void setFirstFreeblock(uint16_t offset) { firstFreeblock_ = offset; }
  void setContentStart(uint32_t offset) { contentStart_ = static_cast<int>(offset); }
  void setCellCount(uint16_t count) { cellCount_ = count; }
  // Overwrites bytes at a page offset after everything else is laid out.
  void patch(uint32_t offset, const Bytes& bytes);

  Bytes build() const;

 private:
  struct Freed {
    uint16_t offset;
    uint16_t size;
  };
  uint16_t place(const Bytes& bytes);

  uint32_t pageSize_;
  uint32_t top_ = 0;  // lowest used offset, 0 = page end
  std::vector<std::pair<uint16_t, Bytes>> content_;
  std::vector<uint16_t> cells_;
  std::vector<Freed> freed_;
  std::vector<std::pair<uint32_t, Bytes>> gap_;
  std::vector<std::pair<uint32_t, Bytes>> patches_;
  int firstFreeblock_ = -1;
  int contentStart_ = -1;
  int cellCount_ = -1;
};

// An interior table page: child pages with their keys, and the right-most child.
class InteriorPage {
 public:
  InteriorPage(uint32_t pageSize, uint32_t rightMost) : pageSize_(pageSize), rightMost_(rightMost) {}
  void child(uint32_t page, uint64_t key = 1) { children_.push_back({page, key}); }
  Bytes build() const;

 private:
  uint32_t pageSize_;
  uint32_t rightMost_;
  std::vector<std::pair<uint32_t, uint64_t>> children_;
};

}  // namespace cdvtest
