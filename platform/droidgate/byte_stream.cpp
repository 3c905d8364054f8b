#include "platform/droidgate/byte_stream.h"

namespace cdv::adb {

bool ReadExact(ByteStream& stream, void* buffer, std::size_t length) {
  auto* out = static_cast<char*>(buffer);
  while (length > 0) {
    const std::ptrdiff_t got = stream.ReadSome(out, length);
    if (got <= 0) return false;
    out += got;
    length -= static_cast<std::size_t>(got);
  }
  return true;
}

bool WriteString(ByteStream& stream, std::string_view data) {
  return stream.WriteAll(data.data(), data.size());
}

}  // namespace cdv::adb
