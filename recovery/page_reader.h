#pragma once
// Page reads from the database file through a read-ahead window: a request
// outside the window reads the 64 KiB from that page on in one call, so pages
// asked for in ascending order cost a fraction of a read each.
#include <cstdint>
#include <istream>
#include <vector>

namespace cdv {

class PageReader {
 public:
  PageReader(std::istream& file, uint32_t pageSize);

  uint32_t pageSize() const { return pageSize_; }
  // Pages that begin inside the file (the last one may be cut short).
  uint64_t pageCount() const { return pageCount_; }

  // Page `page` (numbered from 1): pageSize bytes, zeros where the file ends
  // early, valid until the next call. `got` receives how many bytes came from
  // the file: 0 for a page number outside the file.
  const uint8_t* read(uint64_t page, uint32_t& got);

 private:
  std::istream& file_;
  uint32_t pageSize_;
  uint64_t fileSize_ = 0;
  uint64_t pageCount_ = 0;
  uint64_t windowPages_ = 1;
  std::vector<uint8_t> window_;
  uint64_t windowFirst_ = 0;  // first page held, 0: none
  uint64_t windowBytes_ = 0;  // bytes of the window that came from the file
};

}  // namespace cdv
