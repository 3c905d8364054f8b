#pragma once

#include <cstddef>
#include <string_view>

namespace cdv::adb {

// A two-way byte pipe: a loopback socket in the programs, a scripted buffer in tests.
class ByteStream {
 public:
  virtual ~ByteStream() = default;
  // Bytes read (> 0), 0 at the end of the stream, -1 on an error.
  virtual std::ptrdiff_t ReadSome(void* buffer, std::size_t capacity) = 0;
  virtual bool WriteAll(const void* data, std::size_t length) = 0;
};

// False when the stream ends or fails before `length` bytes arrived.
bool ReadExact(ByteStream& stream, void* buffer, std::size_t length);
bool WriteString(ByteStream& stream, std::string_view data);

}  // namespace cdv::adb
