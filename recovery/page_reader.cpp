#include "recovery/page_reader.h"

#include <algorithm>

namespace cdv {
namespace {

constexpr uint64_t kWindowBytes = 64 * 1024;

}  // namespace

PageReader::PageReader(std::istream& file, uint32_t pageSize) : file_(file), pageSize_(pageSize) {
  file_.clear();
  file_.seekg(0, std::ios::end);
  const std::streamoff end = file_.tellg();
  file_.clear();
  if (end > 0) fileSize_ = static_cast<uint64_t>(end);
  if (pageSize_ != 0) {
    pageCount_ = (fileSize_ + pageSize_ - 1) / pageSize_;
    windowPages_ = std::max<uint64_t>(1, kWindowBytes / pageSize_);
  }
}

const uint8_t* PageReader::read(uint64_t page, uint32_t& got) {
  got = 0;
  if (page == 0 || page > pageCount_) {
    window_.assign(pageSize_, 0);
    windowFirst_ = 0;
    return window_.data();
  }
  if (windowFirst_ == 0 || page < windowFirst_ || page >= windowFirst_ + windowPages_) {
    const uint64_t begin = (page - 1) * pageSize_;
    const uint64_t pages = std::min(windowPages_, pageCount_ - page + 1);
    const uint64_t wanted = std::min<uint64_t>(pages * pageSize_, fileSize_ - begin);
    window_.resize(static_cast<size_t>(pages * pageSize_));
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(begin));
    file_.read(reinterpret_cast<char*>(window_.data()), static_cast<std::streamsize>(wanted));
    const std::streamsize count = file_.gcount();
    file_.clear();
    windowBytes_ = count > 0 ? static_cast<uint64_t>(count) : 0;
    std::fill(window_.begin() + static_cast<std::ptrdiff_t>(windowBytes_), window_.end(), uint8_t{0});
    windowFirst_ = page;
  }
  const uint64_t offset = (page - windowFirst_) * pageSize_;
  if (windowBytes_ > offset) got = static_cast<uint32_t>(std::min<uint64_t>(pageSize_, windowBytes_ - offset));
  return window_.data() + offset;
}

}  // namespace cdv
