#include "recovery/record_carver.h"

#include <array>
#include <string>

#include "recovery/serial_type.h"

namespace cdv {
namespace {

// Walks the serial types of one record from its first serial type, keeping the
// body offset and width of up to three wanted columns. Lengths are 64-bit: a
// record's serial types may claim far more than 2^31 bytes in total.
template <size_t N>
class RecordWalk {
 public:
  RecordWalk(const RecordBuffer& buf, uint64_t start, const std::array<int, N>& wanted)
      : buf_(buf), wanted_(wanted), header_(start) {}

  void step() {
    const Varint type = ReadVarint(buf_, header_);
    const uint64_t width = SerialTypeWidth(type.value);
    for (size_t k = 0; k < N; ++k) {
      if (wanted_[k] == column_) {
        offset_[k] = body_;
        width_[k] = width;
      }
    }
    header_ += type.length;
    length_ += type.length + width;
    body_ += width;
    ++column_;
  }

  int columns() const { return column_; }
  // Serial-type bytes plus body bytes decoded so far.
  uint64_t length() const { return length_; }

  // The wanted column's stored bytes; false when they lie beyond the buffer.
  bool value(size_t k, std::string& out) const {
    // After the last serial type, header_ is where the body begins.
    const uint64_t pos = header_ + offset_[k];
    if (!buf_.holds(pos, width_[k])) return false;
    buf_.copy(pos, width_[k], out);
    return true;
  }

 private:
  const RecordBuffer& buf_;
  const std::array<int, N>& wanted_;
  uint64_t header_;
  uint64_t length_ = 0;
  uint64_t body_ = 0;
  int column_ = 0;
  std::array<uint64_t, N> offset_{};
  std::array<uint64_t, N> width_{};
};

template <size_t N>
using Values = std::array<std::string, N>;

template <size_t N>
bool TakeValues(const RecordWalk<N>& walk, Values<N>& values) {
  for (size_t k = 0; k < N; ++k) {
    if (!walk.value(k, values[k])) return false;
  }
  return true;
}

// Records packed in one freeblock. After each record the next cell's payload
// size and rowid take 4 bytes before its first serial type, or 5 when the byte
// 4 bytes on does not look like a serial type (`nextAt4` decides).
template <size_t N, class NextAt4, class Emit>
void CarveFreeblockRecords(const RecordBuffer& buf, const std::array<int, N>& wanted, int columnCount,
                           NextAt4 nextAt4, Emit emit) {
  const uint64_t length = buf.length();
  uint64_t start = 0;
  Values<N> values;
  while (start < length) {
    RecordWalk<N> walk(buf, start, wanted);
    bool cut = false;
    while (walk.columns() < columnCount) {
      walk.step();
      if (walk.columns() < columnCount && start + walk.length() >= length) {
        cut = true;
        break;
      }
    }
    const uint64_t end = start + walk.length();
    if (cut || end > length) return;
    if (TakeValues(walk, values)) emit(values);
    start = nextAt4(buf.at(end + 4)) ? end + 4 : end + 5;
  }
}

// Candidate positions in a gap. Columns are decoded only while the record's
// length stays below the gap's length; bytes after the gap read as zero, and a
// record that would need bytes beyond the record buffer is dropped.
template <size_t N, class IsCandidate, class Emit>
void CarveGapRecords(const RecordBuffer& buf, const std::array<int, N>& wanted, int columnCount,
                     IsCandidate isCandidate, Emit emit) {
  const uint64_t length = buf.length();
  Values<N> values;
  uint64_t g = 0;
  while (g < length) {
    int verdict = isCandidate(g);
    if (verdict < 0) return;
    if (verdict == 0) {
      ++g;
      continue;
    }
    buf.clearOverrun();
    RecordWalk<N> walk(buf, g, wanted);
    while (walk.columns() < columnCount && walk.length() < length) walk.step();
    if (walk.columns() == columnCount && !buf.overrun() && TakeValues(walk, values)) emit(values);
    g += walk.length() < length ? walk.length() : 1;
  }
}

bool AtMost7(const RecordBuffer& buf, uint64_t from, uint64_t to) {
  for (uint64_t p = from; p < to; ++p) {
    if (buf.at(p) > 7) return false;
  }
  return true;
}

bool ValidIndex(int index, int count) { return index >= 0 && index < count; }

}  // namespace

bool ContactColumns::known() const {
  return count > 0 && ValidIndex(rawContactId, count) && ValidIndex(data1, count);
}

bool SmsColumns::known() const {
  return count > 0 && ValidIndex(address, count) && ValidIndex(person, count) &&
         ValidIndex(body, count);
}

bool FreeblockRecordArea(uint32_t sizeField, const uint8_t* afterHeader, size_t available,
                         const uint8_t** data, size_t* length) {
  if (sizeField <= 4 || available == 0) return false;
  const size_t skip = afterHeader[0] < 7 ? 0 : 1;
  // The size field counts the 4-byte freeblock header.
  const uint64_t wanted = uint64_t{sizeField} - 4;
  const uint64_t inPage = wanted < available ? wanted : available;
  if (inPage <= skip) return false;
  *data = afterHeader + skip;
  *length = static_cast<size_t>(inPage - skip);
  return true;
}

void CarveContactFreeblock(const uint8_t* data, size_t length, const ContactColumns& columns,
                           std::vector<CarvedContact>& out) {
  if (!columns.known() || length == 0) return;
  const RecordBuffer buf(data, length);
  const std::array<int, 2> wanted{columns.rawContactId, columns.data1};
  const uint32_t count = static_cast<uint32_t>(columns.count);
  CarveFreeblockRecords(
      buf, wanted, columns.count, [count](uint8_t b) { return b < count; },
      [&out](Values<2>& v) { out.push_back({std::move(v[0]), std::move(v[1])}); });
}

void CarveContactGap(const uint8_t* gap, size_t length, const ContactColumns& columns,
                     std::vector<CarvedContact>& out) {
  if (!columns.known() || length == 0) return;
  const RecordBuffer buf(gap, length);
  const std::array<int, 2> wanted{columns.rawContactId, columns.data1};
  const uint64_t d1 = static_cast<uint64_t>(columns.data1);
  const uint64_t len = buf.length();
  // The columns before data1 hold one-byte serial types (integers, NULL, the
  // constants 0 and 1) and data1 holds text.
  auto isCandidate = [&buf, d1, len](uint64_t g) -> int {
    if (g + d1 >= len) return -1;
    return AtMost7(buf, g, g + d1) && IsTextSerialType(buf.at(g + d1)) ? 1 : 0;
  };
  CarveGapRecords(buf, wanted, columns.count, isCandidate,
                  [&out](Values<2>& v) { out.push_back({std::move(v[0]), std::move(v[1])}); });
}

void CarveSmsFreeblock(const uint8_t* data, size_t length, const SmsColumns& columns,
                       std::vector<CarvedSms>& out) {
  if (!columns.known() || length == 0) return;
  const RecordBuffer buf(data, length);
  const std::array<int, 3> wanted{columns.address, columns.person, columns.body};
  const uint32_t count = static_cast<uint32_t>(columns.count);
  CarveFreeblockRecords(
      buf, wanted, columns.count, [count](uint8_t b) { return b <= count; },
      [&out](Values<3>& v) { out.push_back({std::move(v[0]), std::move(v[1]), std::move(v[2])}); });
}

void CarveSmsGap(const uint8_t* gap, size_t length, const SmsColumns& columns,
                 std::vector<CarvedSms>& out) {
  if (!columns.known() || length == 0) return;
  const RecordBuffer buf(gap, length);
  const std::array<int, 3> wanted{columns.address, columns.person, columns.body};
  const uint64_t body = static_cast<uint64_t>(columns.body);
  const uint64_t len = buf.length();
  // _id and thread_id as small integers, address as text, seven small
  // integers, and body as text.
  auto isCandidate = [&buf, body, len](uint64_t g) -> int {
    const bool match = g + 11 < len && AtMost7(buf, g, g + 2) && IsTextSerialType(buf.at(g + 2)) &&
                       AtMost7(buf, g + 3, g + 10) && IsTextSerialType(buf.at(g + body));
    return match ? 1 : 0;
  };
  CarveGapRecords(buf, wanted, columns.count, isCandidate, [&out](Values<3>& v) {
    out.push_back({std::move(v[0]), std::move(v[1]), std::move(v[2])});
  });
}

}  // namespace cdv
