#include "platform/droidgate/shell_protocol.h"

#include <algorithm>

#include "platform/droidgate/little_endian.h"

namespace cdv::adb {

std::string JoinShellArguments(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& arg : args) {
    if (!line.empty()) line.push_back(' ');
    line += arg;
  }
  return line;
}

std::string ShellServiceName(bool v2, std::string_view command) {
  std::string name = v2 ? "shell,v2,raw:" : "shell:";
  name.append(command);
  return name;
}

bool ParseShellServiceName(std::string_view name, ShellServiceRequest* request) {
  constexpr std::string_view kPrefix = "shell";
  if (name.substr(0, kPrefix.size()) != kPrefix) return false;
  const std::size_t colon = name.find(':');
  if (colon == std::string_view::npos) return false;
  std::string_view options = name.substr(kPrefix.size(), colon - kPrefix.size());
  if (!options.empty() && options.front() != ',') return false;
  ShellServiceRequest parsed;
  while (!options.empty()) {
    options.remove_prefix(1);  // the comma
    const std::size_t end = std::min(options.find(','), options.size());
    const std::string_view option = options.substr(0, end);
    if (option == "v2") parsed.v2 = true;
    else if (option == "pty") parsed.pty = true;
    else if (option == "raw") parsed.pty = false;
    // TERM=... and unknown options are accepted and ignored, as adbd does.
    options.remove_prefix(end);
  }
  parsed.command.assign(name.substr(colon + 1));
  *request = std::move(parsed);
  return true;
}

std::string EncodeShellPacket(std::uint8_t id, std::string_view data) {
  std::string packet(1, static_cast<char>(id));
  AppendU32Le(packet, static_cast<std::uint32_t>(data.size()));
  packet.append(data);
  return packet;
}

void ShellPacketReader::Feed(std::string_view bytes, Sink& sink) {
  while (!bytes.empty()) {
    if (header_fill_ < kShellHeaderSize) {
      const std::size_t take = std::min(kShellHeaderSize - header_fill_, bytes.size());
      std::copy_n(bytes.data(), take, header_ + header_fill_);
      header_fill_ += take;
      bytes.remove_prefix(take);
      if (header_fill_ < kShellHeaderSize) return;
      id_ = header_[0];
      remaining_ = LoadU32Le(header_ + 1);
      if (remaining_ == 0) {
        sink.OnShellData(id_, {});
        header_fill_ = 0;
      }
      continue;
    }
    const std::size_t take = std::min<std::size_t>(remaining_, bytes.size());
    sink.OnShellData(id_, bytes.substr(0, take));
    bytes.remove_prefix(take);
    remaining_ -= static_cast<std::uint32_t>(take);
    if (remaining_ == 0) header_fill_ = 0;
  }
}

}  // namespace cdv::adb
