#pragma once

// Talks to the adb server: one connection per request, the server started
// once when nothing listens, a device picked by serial or as the only one.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/droidgate/byte_stream.h"
#include "platform/droidgate/loopback_socket.h"
#include "platform/droidgate/output_sink.h"

namespace cdv::adb {

// Oldest server whose host services behave as this client expects.
constexpr unsigned kMinServerVersion = 41;
constexpr std::uint16_t kDefaultServerPort = 5037;

// The outside world the client needs, replaceable in tests.
struct ServerAccess {
  std::uint16_t port = kDefaultServerPort;
  std::function<ConnectResult(std::uint16_t)> connect;
  std::function<std::string()> find_adb;
  std::function<bool(const std::string&, std::uint16_t, std::string*)> start_server;
  std::function<void(int)> sleep_ms;
  int start_wait_ms = 5000;
  int retry_interval_ms = 100;
};

// The real sockets, launcher and clock.
ServerAccess SystemServerAccess(std::uint16_t port);

class ServerClient {
 public:
  // `diagnostics` receives the server start-up notes (standard error).
  ServerClient(ServerAccess access, OutputSink& diagnostics);

  // A fresh connection; starts the server once if nothing listens.
  std::unique_ptr<ByteStream> Connect(std::string* error);

  // A host query answered by OKAY and one framed string.
  bool Query(std::string_view request, std::string* answer, std::string* error);

  bool CheckServerVersion(std::string* error);

  // Features the device announced; the server picks the device as the
  // transport request would (empty serial = the only one).
  bool DeviceFeatures(const std::string& serial, std::vector<std::string>* features, std::string* error);

  // Switches a connection to the device and opens `service` on it.
  std::unique_ptr<ByteStream> OpenDeviceService(const std::string& serial, std::string_view service,
                                                std::string* error);

 private:
  ServerAccess access_;
  OutputSink& diagnostics_;
  bool start_attempted_ = false;
};

bool HasFeature(const std::vector<std::string>& features, std::string_view name);

}  // namespace cdv::adb
