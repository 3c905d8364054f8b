#include "recovery/page_reader.h"

#include <algorithm>

namespace cdv {

PageReader::PageReader(std::istream& file, uint32_t pageSize) : file_(file), pageSize_(pageSize) {
  file_.clear();
  file_.seekg(0, std::ios::end);
  const std::streamoff end = file_.tellg();
  file_.clear();
  if (end > 0) fileSize_ = static_cast<uint64_t>(end);
  if (pageSize_ != 0) pageCount_ = (fileSize_ + pageSize_ - 1) / pageSize_;
}

uint32_t PageReader::read(uint64_t page, std::vector<uint8_t>& out) {
  out.resize(pageSize_);
  if (page == 0 || page > pageCount_) {
    std::fill(out.begin(), out.end(), uint8_t{0});
    return 0;
  }
  const uint64_t begin = (page - 1) * pageSize_;
  const uint64_t wanted = std::min<uint64_t>(pageSize_, fileSize_ - begin);
  file_.clear();
  file_.seekg(static_cast<std::streamoff>(begin));
  file_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(wanted));
  const std::streamsize count = file_.gcount();
  file_.clear();
  const uint32_t got = count > 0 ? static_cast<uint32_t>(count) : 0;
  std::fill(out.begin() + got, out.end(), uint8_t{0});
  return got;
}

}  // namespace cdv
