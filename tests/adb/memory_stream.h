#pragma once

// An in-memory ByteStream: reads come from a prepared buffer in pieces of a
// chosen size (to split frames anywhere), writes are collected.

#include <algorithm>
#include <string>

#include "platform/droidgate/byte_stream.h"

namespace cdv::adb::testing {

class MemoryStream : public ByteStream {
 public:
  explicit MemoryStream(std::string input = {}, std::size_t piece = 1 << 20)
      : input_(std::move(input)), piece_(piece) {}

  std::ptrdiff_t ReadSome(void* buffer, std::size_t capacity) override {
    if (position_ >= input_.size()) return fail_at_end_ ? -1 : 0;
    const std::size_t n = std::min({capacity, piece_, input_.size() - position_});
    std::copy_n(input_.data() + position_, n, static_cast<char*>(buffer));
    position_ += n;
    return static_cast<std::ptrdiff_t>(n);
  }

  bool WriteAll(const void* data, std::size_t length) override {
    written_.append(static_cast<const char*>(data), length);
    return true;
  }

  void FailAtEnd() { fail_at_end_ = true; }
  const std::string& written() const { return written_; }

 private:
  std::string input_;
  std::size_t piece_;
  std::size_t position_ = 0;
  bool fail_at_end_ = false;
  std::string written_;
};

}  // namespace cdv::adb::testing
