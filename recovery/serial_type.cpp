#include "recovery/serial_type.h"

namespace cdv {

void RecordBuffer::copy(uint64_t pos, uint64_t count, std::string& out) const {
  out.assign(static_cast<size_t>(count), '\0');
  if (pos >= length_) return;
  const uint64_t avail = length_ - pos < count ? length_ - pos : count;
  out.replace(0, static_cast<size_t>(avail), reinterpret_cast<const char*>(data_ + pos),
              static_cast<size_t>(avail));
}

Varint ReadVarint(const RecordBuffer& buf, uint64_t pos) {
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

uint64_t SerialTypeWidth(uint32_t type) {
  switch (type) {
    case 0: return 0;
    case 1: return 1;
    case 2: return 2;
    case 3: return 3;
    case 4: return 4;
    case 5: return 6;
    case 6:
    case 7: return 8;
    case 8:
    case 9:
    case 10:
    case 11: return 0;
    default: return (type & 1) ? (uint64_t{type} - 13) / 2 : (uint64_t{type} - 12) / 2;
  }
}

}  // namespace cdv
