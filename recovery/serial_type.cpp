#include "recovery/serial_type.h"

namespace cdv {

void RecordBuffer::copy(uint64_t pos, uint64_t count, std::string& out) const {
  out.assign(static_cast<size_t>(count), '\0');
  if (pos >= length_) return;
  const uint64_t avail = length_ - pos < count ? length_ - pos : count;
  out.replace(0, static_cast<size_t>(avail), reinterpret_cast<const char*>(data_ + pos),
              static_cast<size_t>(avail));
}

Varint ReadLongVarint(const RecordBuffer& buf, uint64_t pos) {
  uint64_t value = 0;
  for (uint32_t i = 0; i < 8; ++i) {
    const uint8_t b = buf.at(pos + i);
    value = (value << 7) | (b & 0x7F);
    if ((b & 0x80) == 0) {
      return {value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(value), i + 1};
    }
  }
  // Ninth byte: all eight bits. The value now has 64 bits and cannot be a
  // sensible serial type.
  value = (value << 8) | buf.at(pos + 8);
  return {value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(value), 9};
}

}  // namespace cdv
