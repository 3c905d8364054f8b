#pragma once
// SQLite record format: varints and the serial types of a record header.
#include <cstddef>
#include <cstdint>
#include <string>

namespace cdv {

// The carving's record buffer: a freeblock or gap is read into this many
// zeroed bytes, so positions after the data read as zero.
constexpr uint64_t kRecordBufferSize = 65535;

// A record buffer as the carving sees it: `length` bytes of data, zeros after
// them up to kRecordBufferSize, and nothing beyond. A read beyond the buffer
// returns zero and marks the buffer as overrun, so a record that needed such a
// byte can be dropped instead of decoded from memory that is not there.
class RecordBuffer {
 public:
  RecordBuffer(const uint8_t* data, uint64_t length)
      : data_(data), length_(length < kRecordBufferSize ? length : kRecordBufferSize) {}

  uint64_t length() const { return length_; }

  uint8_t at(uint64_t pos) const {
    if (pos < length_) return data_[pos];
    if (pos >= kRecordBufferSize) overrun_ = true;
    return 0;
  }

  // True when [pos, pos + count) lies inside the buffer.
  bool holds(uint64_t pos, uint64_t count) const {
    return pos <= kRecordBufferSize && count <= kRecordBufferSize - pos;
  }

  // Bytes [pos, pos + count) with zeros after the data; the range must be held.
  void copy(uint64_t pos, uint64_t count, std::string& out) const;

  bool overrun() const { return overrun_; }
  void clearOverrun() const { overrun_ = false; }

 private:
  const uint8_t* data_;
  uint64_t length_;
  mutable bool overrun_ = false;
};

struct Varint {
  uint32_t value;   // 0xFFFFFFFF when the value does not fit in 32 bits
  uint32_t length;  // bytes used, 1 to 9
};

// SQLite varint: big-endian groups of 7 bits, a set high bit meaning another
// byte follows; the ninth byte contributes all 8 bits.
Varint ReadLongVarint(const RecordBuffer& buf, uint64_t pos);
inline Varint ReadVarint(const RecordBuffer& buf, uint64_t pos) {
  // Serial types below 128 (every one but long text and BLOBs) take one byte.
  const uint8_t first = buf.at(pos);
  if (first < 0x80) return {first, 1};
  return ReadLongVarint(buf, pos);
}

// Body width of a serial type in bytes.
inline uint64_t SerialTypeWidth(uint32_t type) {
  static constexpr uint8_t kFixed[12] = {0, 1, 2, 3, 4, 6, 8, 8, 0, 0, 0, 0};
  if (type < 12) return kFixed[type];
  return (type & 1) ? (uint64_t{type} - 13) / 2 : (uint64_t{type} - 12) / 2;
}

// Text is stored with odd serial types from 13 up.
inline bool IsTextSerialType(uint32_t type) { return type >= 13 && (type & 1) != 0; }

}  // namespace cdv
