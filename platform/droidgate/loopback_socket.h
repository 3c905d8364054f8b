#pragma once

// TCP on 127.0.0.1: the client side for the adb server, the listening side
// for the simulated phone. Implemented per platform (POSIX sockets, Winsock).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/droidgate/byte_stream.h"

namespace cdv::adb {

enum class ConnectOutcome { kConnected, kRefused, kFailed };

struct ConnectResult {
  ConnectOutcome outcome = ConnectOutcome::kFailed;
  std::unique_ptr<ByteStream> stream;
  std::string error;  // the system's text when not connected
};

ConnectResult ConnectLoopback(std::uint16_t port);

class LoopbackListener {
 public:
  virtual ~LoopbackListener() = default;
  virtual std::uint16_t Port() const = 0;
  // Blocks for the next connection; null once the listener has failed.
  virtual std::unique_ptr<ByteStream> Accept() = 0;
};

// Port 0 picks a free port.
std::unique_ptr<LoopbackListener> ListenLoopback(std::uint16_t port, std::string* error);

}  // namespace cdv::adb
