#pragma once

// The shell service: the service names for both protocol versions and the
// packets of shell protocol v2 (id:u8, length:u32le, data).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cdv::adb {

enum ShellPacketId : std::uint8_t {
  kShellStdin = 0,
  kShellStdout = 1,
  kShellStderr = 2,
  kShellExit = 3,
  kShellCloseStdin = 4,
  kShellWindowSize = 5,
};

constexpr std::size_t kShellHeaderSize = 5;

// The arguments joined by single blanks and not quoted, as adb does: the
// device's shell parses the line.
std::string JoinShellArguments(const std::vector<std::string>& args);

// "shell,v2,raw:CMD" with shell protocol v2, "shell:CMD" without.
std::string ShellServiceName(bool v2, std::string_view command);

struct ShellServiceRequest {
  bool v2 = false;
  bool pty = false;
  std::string command;
};

// Splits an OPEN payload of the shell service into options and command;
// false when the name is not a shell service.
bool ParseShellServiceName(std::string_view name, ShellServiceRequest* request);

std::string EncodeShellPacket(std::uint8_t id, std::string_view data);

// Cuts a byte stream into shell packets without buffering packet bodies:
// data reaches the sink in pieces as they arrive.
class ShellPacketReader {
 public:
  class Sink {
   public:
    virtual ~Sink() = default;
    // A piece of the body of a packet `id`; an empty body gives one empty piece.
    virtual void OnShellData(std::uint8_t id, std::string_view piece) = 0;
  };

  void Feed(std::string_view bytes, Sink& sink);
  // True between packets: the stream may end here without losing anything.
  bool AtPacketBoundary() const { return header_fill_ == 0 && remaining_ == 0; }

 private:
  unsigned char header_[kShellHeaderSize] = {};
  std::size_t header_fill_ = 0;
  std::uint8_t id_ = 0;
  std::uint32_t remaining_ = 0;
};

}  // namespace cdv::adb
