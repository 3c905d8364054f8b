#pragma once
// Storage for the records and strings of one reader call: a few large blocks
// instead of one allocation per field, all released together.
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace cdv {

class RecordArena {
 public:
  RecordArena() = default;
  RecordArena(const RecordArena&) = delete;
  RecordArena& operator=(const RecordArena&) = delete;

  // A zero-filled T (the records are plain: no constructor to run).
  template <class T>
  T* New() {
    return static_cast<T*>(Allocate(sizeof(T), alignof(T)));
  }

  // A NUL-terminated copy.
  char* CopyString(std::string_view text);

  size_t bytesReserved() const { return reserved_; }

 private:
  void* Allocate(size_t size, size_t align);

  std::vector<std::unique_ptr<char[]>> blocks_;
  char* cursor_ = nullptr;
  size_t left_ = 0;
  size_t reserved_ = 0;
};

}  // namespace cdv
