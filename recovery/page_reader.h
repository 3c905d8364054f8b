#pragma once
// Whole-page reads from the database file: one seek and one read per page.
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

  // Reads page `page` (numbered from 1) into `out`, pageSize bytes, zeros
  // where the file ends early. Returns how many bytes came from the file: 0
  // for a page number outside the file.
  uint32_t read(uint64_t page, std::vector<uint8_t>& out);

 private:
  std::istream& file_;
  uint32_t pageSize_;
  uint64_t fileSize_ = 0;
  uint64_t pageCount_ = 0;
};

}  // namespace cdv
