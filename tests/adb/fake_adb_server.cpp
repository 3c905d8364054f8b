#include "tests/adb/fake_adb_server.h"

#include <algorithm>

namespace cdv::adb::testing {
namespace {

class FakeConnection final : public ByteStream {
 public:
  explicit FakeConnection(FakeAdbServer& server) : server_(server) {}

  std::ptrdiff_t ReadSome(void* buffer, std::size_t capacity) override {
    if (position_ >= replies_.size()) return device_mode_ && server_.lose_link_after_reply ? -1 : 0;
    const std::size_t n = std::min({capacity, server_.read_piece, replies_.size() - position_});
    std::copy_n(replies_.data() + position_, n, static_cast<char*>(buffer));
    position_ += n;
    return static_cast<std::ptrdiff_t>(n);
  }

  bool WriteAll(const void* data, std::size_t length) override {
    const std::string_view bytes(static_cast<const char*>(data), length);
    if (device_mode_) {
      server_.device_input.append(bytes);
      return true;
    }
    input_.append(bytes);
    std::size_t size = 0;
    while (input_.size() >= 4 && ParseHex4(std::string_view(input_).substr(0, 4), &size) &&
           input_.size() >= 4 + size) {
      const std::string request = input_.substr(4, size);
      input_.erase(0, 4 + size);
      Handle(request);
    }
    return true;
  }

 private:
  void Okay(const std::string& text) {
    replies_ += "OKAY" + FrameHostRequest(text);
    if (text.empty()) replies_ += "0000";
  }
  void Fail(const std::string& reason) { replies_ += "FAIL" + FrameHostRequest(reason); }

  // The device a request names, or the reason the server would give.
  const FakeDevice* Select(const std::string& serial, std::string* reason) {
    if (serial.empty()) {
      if (server_.devices.empty()) *reason = "no devices/emulators found";
      else if (server_.devices.size() > 1) *reason = "more than one device/emulator";
      else return &server_.devices[0];
      return nullptr;
    }
    for (const FakeDevice& device : server_.devices) {
      if (device.serial == serial) return &device;
    }
    *reason = "device '" + serial + "' not found";
    return nullptr;
  }

  void Handle(const std::string& request) {
    server_.requests.push_back(request);
    std::string reason;
    const std::string features_prefix = "host-serial:";
    if (transport_chosen_) {
      if (server_.refuse_service) {
        replies_ += "FAIL0006closed";
        return;
      }
      replies_ += "OKAY" + server_.device_reply;
      device_mode_ = true;
    } else if (request == "host:version") {
      Okay(server_.version);
    } else if (request == "host:features" ||
               (request.rfind(features_prefix, 0) == 0 && request.size() > 9 &&
                request.compare(request.size() - 9, 9, ":features") == 0)) {
      const std::string serial =
          request == "host:features" ? "" : request.substr(12, request.size() - 12 - 9);
      if (const FakeDevice* device = Select(serial, &reason)) Okay(device->features);
      else Fail(reason);
    } else if (request == "host:transport-any" || request.rfind("host:transport:", 0) == 0) {
      const std::string serial = request == "host:transport-any" ? "" : request.substr(15);
      if (Select(serial, &reason)) {
        replies_ += "OKAY";
        transport_chosen_ = true;
      } else {
        Fail(reason);
      }
    } else {
      Fail("unknown host service");
    }
  }

  FakeAdbServer& server_;
  std::string input_;
  std::string replies_;
  std::size_t position_ = 0;
  bool transport_chosen_ = false;
  bool device_mode_ = false;
};

}  // namespace

ConnectResult FakeAdbServer::Connect(std::uint16_t port) {
  ports.push_back(port);
  ConnectResult result;
  if (refusals != 0) {
    if (refusals > 0) --refusals;
    result.outcome = ConnectOutcome::kRefused;
    result.error = "Connection refused";
    return result;
  }
  result.outcome = ConnectOutcome::kConnected;
  result.stream = std::make_unique<FakeConnection>(*this);
  return result;
}

}  // namespace cdv::adb::testing
