#include "platform/siftdb/record_arena.h"

#include <cstdint>
#include <cstring>

namespace cdv {
namespace {

constexpr size_t kBlockSize = 256 * 1024;

}  // namespace

void* RecordArena::Allocate(size_t size, size_t align) {
  size_t pad = (align - reinterpret_cast<uintptr_t>(cursor_) % align) % align;
  if (cursor_ == nullptr || pad + size > left_) {
    // Large pieces get a block of their own, so the current block keeps its room.
    const size_t blockSize = size + align > kBlockSize / 4 ? size + align : kBlockSize;
    blocks_.push_back(std::make_unique<char[]>(blockSize));  // value-initialised: zeros
    reserved_ += blockSize;
    char* block = blocks_.back().get();
    if (blockSize != kBlockSize) {
      const size_t blockPad = (align - reinterpret_cast<uintptr_t>(block) % align) % align;
      return block + blockPad;
    }
    cursor_ = block;
    left_ = blockSize;
    pad = (align - reinterpret_cast<uintptr_t>(cursor_) % align) % align;
  }
  char* out = cursor_ + pad;
  cursor_ += pad + size;
  left_ -= pad + size;
  return out;
}

char* RecordArena::CopyString(std::string_view text) {
  char* out = static_cast<char*>(Allocate(text.size() + 1, 1));
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  out[text.size()] = '\0';
  return out;
}

}  // namespace cdv
