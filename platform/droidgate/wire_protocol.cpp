#include "platform/droidgate/wire_protocol.h"

#include <cstdio>

#include "platform/droidgate/little_endian.h"

namespace cdv::adb {

std::uint32_t WireChecksum(std::string_view payload) {
  std::uint32_t sum = 0;
  for (unsigned char c : payload) sum += c;
  return sum;
}

std::string EncodeWirePacket(std::uint32_t command, std::uint32_t arg0, std::uint32_t arg1,
                             std::string_view payload, bool with_checksum) {
  std::string packet;
  packet.reserve(kWireHeaderSize + payload.size());
  AppendU32Le(packet, command);
  AppendU32Le(packet, arg0);
  AppendU32Le(packet, arg1);
  AppendU32Le(packet, static_cast<std::uint32_t>(payload.size()));
  AppendU32Le(packet, with_checksum ? WireChecksum(payload) : 0);
  AppendU32Le(packet, command ^ 0xFFFFFFFFu);  // magic
  packet.append(payload);
  return packet;
}

WireReadResult ReadWirePacket(ByteStream& stream, std::size_t max_payload, WirePacket* packet) {
  unsigned char header[kWireHeaderSize];
  const std::ptrdiff_t first = stream.ReadSome(header, kWireHeaderSize);
  if (first <= 0) return WireReadResult::kEnd;
  if (static_cast<std::size_t>(first) < kWireHeaderSize &&
      !ReadExact(stream, header + first, kWireHeaderSize - static_cast<std::size_t>(first))) {
    return WireReadResult::kMalformed;
  }
  const std::uint32_t command = LoadU32Le(header);
  const std::uint32_t length = LoadU32Le(header + 12);
  const std::uint32_t magic = LoadU32Le(header + 20);
  if (magic != (command ^ 0xFFFFFFFFu) || length > max_payload) return WireReadResult::kMalformed;
  packet->command = command;
  packet->arg0 = LoadU32Le(header + 4);
  packet->arg1 = LoadU32Le(header + 8);
  packet->checksum = LoadU32Le(header + 16);
  packet->payload.assign(length, '\0');
  if (length > 0 && !ReadExact(stream, packet->payload.data(), length)) return WireReadResult::kMalformed;
  return WireReadResult::kPacket;
}

std::string WireCommandName(std::uint32_t command) {
  switch (command) {
    case kCmdCnxn: return "CNXN";
    case kCmdAuth: return "AUTH";
    case kCmdOpen: return "OPEN";
    case kCmdOkay: return "OKAY";
    case kCmdClse: return "CLSE";
    case kCmdWrte: return "WRTE";
    case kCmdStls: return "STLS";
    case kCmdSync: return "SYNC";
    default: {
      char text[16];
      std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(command));
      return text;
    }
  }
}

}  // namespace cdv::adb
