#pragma once

#include <cstdint>
#include <string>

namespace cdv::adb {

inline std::uint32_t LoadU32Le(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline std::uint64_t LoadU64Le(const unsigned char* p) {
  return static_cast<std::uint64_t>(LoadU32Le(p)) | static_cast<std::uint64_t>(LoadU32Le(p + 4)) << 32;
}

inline void AppendU32Le(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline void AppendU64Le(std::string& out, std::uint64_t v) {
  AppendU32Le(out, static_cast<std::uint32_t>(v));
  AppendU32Le(out, static_cast<std::uint32_t>(v >> 32));
}

}  // namespace cdv::adb
