#pragma once

// A scripted adb server for the relay's tests: it answers the host services
// from a list of devices and, once a device service is open, plays back what
// the "device" is set to send.

#include <memory>
#include <string>
#include <vector>

#include "platform/droidgate/host_protocol.h"
#include "platform/droidgate/loopback_socket.h"
#include "platform/droidgate/server_client.h"

namespace cdv::adb::testing {

struct FakeDevice {
  std::string serial;
  std::string features;
};

class FakeAdbServer {
 public:
  std::vector<FakeDevice> devices;
  std::string version = "0029";
  std::string device_reply;          // bytes the device sends after the service opens
  std::size_t read_piece = 1 << 20;  // the client's reads get at most this many bytes
  bool lose_link_after_reply = false;
  bool refuse_service = false;
  int refusals = 0;                  // connections refused before the server answers
  std::vector<std::string> requests;
  std::string device_input;          // what the client sent to the device
  std::vector<std::uint16_t> ports;  // the port of each connection attempt

  ConnectResult Connect(std::uint16_t port);
};

}  // namespace cdv::adb::testing
