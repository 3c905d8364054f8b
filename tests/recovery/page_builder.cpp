#include "tests/recovery/page_builder.h"

#include <stdexcept>

namespace cdvtest {

Bytes Varint(uint64_t value) {
  if (value > 0x00FFFFFFFFFFFFFFull) {
    // Nine bytes: eight of 7 bits, then a full byte.
    Bytes out(9);
    out[8] = static_cast<uint8_t>(value);
    value >>= 8;
    for (int i = 7; i >= 0; --i) {
      out[i] = static_cast<uint8_t>((value & 0x7F) | 0x80);
      value >>= 7;
    }
    return out;
  }
  Bytes out;
  do {
    out.insert(out.begin(), static_cast<uint8_t>((value & 0x7F) | (out.empty() ? 0 : 0x80)));
    value >>= 7;
  } while (value != 0);
  return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes BigEndian(uint64_t value, int width) {
  Bytes out(static_cast<size_t>(width));
  for (int i = width - 1; i >= 0; --i) {
    out[static_cast<size_t>(i)] = static_cast<uint8_t>(value);
    value >>= 8;
  }
  return out;
}

Column Null() { return {0, {}}; }

Column Int(int64_t value) {
  if (value == 0) return {8, {}};
  if (value == 1) return {9, {}};
  if (value >= -128 && value <= 127) return {1, BigEndian(static_cast<uint64_t>(value), 1)};
  if (value >= -32768 && value <= 32767) return {2, BigEndian(static_cast<uint64_t>(value), 2)};
  if (value >= -8388608 && value <= 8388607) return {3, BigEndian(static_cast<uint64_t>(value), 3)};
  return {6, BigEndian(static_cast<uint64_t>(value), 8)};
}

Column Int8(int64_t value) { return {1, BigEndian(static_cast<uint64_t>(value), 1)}; }

Column Text(const std::string& text) {
  return {13 + 2 * text.size(), Bytes(text.begin(), text.end())};
}

Column Blob(const Bytes& bytes) { return {12 + 2 * bytes.size(), bytes}; }

Column Raw(uint64_t serialType, const Bytes& body) { return {serialType, body}; }

Bytes Record(const std::vector<Column>& columns) {
  Bytes types;
  Bytes body;
  for (const Column& c : columns) {
    const Bytes t = Varint(c.serialType);
    types.insert(types.end(), t.begin(), t.end());
    body.insert(body.end(), c.body.begin(), c.body.end());
  }
  // The header size counts its own varint.
  size_t headerSize = types.size() + 1;
  if (Varint(headerSize).size() > 1) headerSize = types.size() + Varint(types.size() + 2).size();
  return Concat({Varint(headerSize), types, body});
}

Bytes Cell(uint64_t rowid, const std::vector<Column>& columns) {
  const Bytes record = Record(columns);
  return Concat({Varint(record.size()), Varint(rowid), record});
}

uint16_t LeafPage::place(const Bytes& bytes) {
  const uint32_t end = top_ == 0 ? pageSize_ : top_;
  if (bytes.size() > end) throw std::runtime_error("page full");
  top_ = end - static_cast<uint32_t>(bytes.size());
  content_.push_back({static_cast<uint16_t>(top_), bytes});
  return static_cast<uint16_t>(top_);
}

uint16_t LeafPage::cell(const Bytes& cellBytes) {
  const uint16_t at = place(cellBytes);
  cells_.push_back(at);
  return at;
}

uint16_t LeafPage::freed(const Bytes& cellBytes, int size) {
  Bytes bytes = cellBytes;
  if (bytes.size() < 4) bytes.resize(4, 0);
  const uint16_t at = place(bytes);
  freed_.push_back({at, static_cast<uint16_t>(size >= 0 ? size : static_cast<int>(bytes.size()))});
  return at;
}

void LeafPage::gap(uint32_t at, const Bytes& bytes) { gap_.push_back({at, bytes}); }

void LeafPage::patch(uint32_t offset, const Bytes& bytes) { patches_.push_back({offset, bytes}); }

Bytes LeafPage::build() const {
  Bytes page(pageSize_, 0);
  auto put = [&page](uint32_t at, const Bytes& bytes) {
    if (at + bytes.size() > page.size()) throw std::runtime_error("bytes off the page");
    std::copy(bytes.begin(), bytes.end(), page.begin() + at);
  };
  for (const auto& c : content_) put(c.first, c.second);
  for (size_t i = 0; i < freed_.size(); ++i) {
    const uint16_t next = i + 1 < freed_.size() ? freed_[i + 1].offset : 0;
    put(freed_[i].offset, Concat({BigEndian(next, 2), BigEndian(freed_[i].size, 2)}));
  }
  const uint32_t cellCount = cellCount_ >= 0 ? static_cast<uint32_t>(cellCount_) : cells_.size();
  const uint32_t pointersEnd = 8 + 2 * static_cast<uint32_t>(cells_.size());
  for (const auto& g : gap_) put(pointersEnd + g.first, g.second);
  page[0] = 13;
  const int first = firstFreeblock_ >= 0 ? firstFreeblock_ : (freed_.empty() ? 0 : freed_[0].offset);
  put(1, BigEndian(static_cast<uint64_t>(first), 2));
  put(3, BigEndian(cellCount, 2));
  const uint32_t contentStart = contentStart_ >= 0 ? static_cast<uint32_t>(contentStart_) : (top_ == 0 ? pageSize_ : top_);
  put(5, BigEndian(contentStart & 0xFFFF, 2));
  for (size_t i = 0; i < cells_.size(); ++i) put(8 + 2 * static_cast<uint32_t>(i), BigEndian(cells_[i], 2));
  for (const auto& p : patches_) put(p.first, p.second);
  return page;
}

Bytes InteriorPage::build() const {
  Bytes page(pageSize_, 0);
  uint32_t top = pageSize_;
  page[0] = 5;
  page[3] = static_cast<uint8_t>(children_.size() >> 8);
  page[4] = static_cast<uint8_t>(children_.size());
  const Bytes right = BigEndian(rightMost_, 4);
  std::copy(right.begin(), right.end(), page.begin() + 8);
  for (size_t i = 0; i < children_.size(); ++i) {
    // Interior cell: 4-byte left child page number, then the key varint.
    const Bytes cell = Concat({BigEndian(children_[i].first, 4), Varint(children_[i].second)});
    top -= static_cast<uint32_t>(cell.size());
    std::copy(cell.begin(), cell.end(), page.begin() + top);
    page[12 + 2 * i] = static_cast<uint8_t>(top >> 8);
    page[13 + 2 * i] = static_cast<uint8_t>(top);
  }
  page[5] = static_cast<uint8_t>(top >> 8);
  page[6] = static_cast<uint8_t>(top);
  return page;
}

}  // namespace cdvtest
