#pragma once

// The device wire protocol between the adb server and a phone: a 24-byte
// header of six u32le fields, then the payload.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/droidgate/byte_stream.h"

namespace cdv::adb {

constexpr std::uint32_t kCmdCnxn = 0x4e584e43;
constexpr std::uint32_t kCmdAuth = 0x48545541;
constexpr std::uint32_t kCmdOpen = 0x4e45504f;
constexpr std::uint32_t kCmdOkay = 0x59414b4f;
constexpr std::uint32_t kCmdClse = 0x45534c43;
constexpr std::uint32_t kCmdWrte = 0x45545257;
constexpr std::uint32_t kCmdStls = 0x534c5453;
constexpr std::uint32_t kCmdSync = 0x434e5953;

// Protocol versions: the first sends byte-sum checksums, the second skips them.
constexpr std::uint32_t kVersionWithChecksum = 0x01000000;
constexpr std::uint32_t kVersionSkipChecksum = 0x01000001;

constexpr std::size_t kWireHeaderSize = 24;

struct WirePacket {
  std::uint32_t command = 0;
  std::uint32_t arg0 = 0;
  std::uint32_t arg1 = 0;
  std::string payload;
  std::uint32_t checksum = 0;  // as received; receivers do not verify it
};

// The data_check field: a byte sum of the payload, not a CRC.
std::uint32_t WireChecksum(std::string_view payload);

std::string EncodeWirePacket(std::uint32_t command, std::uint32_t arg0, std::uint32_t arg1,
                             std::string_view payload, bool with_checksum);

enum class WireReadResult { kPacket, kEnd, kMalformed };

// Reads one packet; a bad magic or a payload above max_payload is malformed.
WireReadResult ReadWirePacket(ByteStream& stream, std::size_t max_payload, WirePacket* packet);

// Readable name of a command for diagnostics ("CNXN"), or its hex value.
std::string WireCommandName(std::uint32_t command);

}  // namespace cdv::adb
