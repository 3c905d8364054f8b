#include "platform/droidgate/server_client.h"

#include <chrono>
#include <thread>

#include "platform/droidgate/host_protocol.h"
#include "platform/droidgate/server_launch.h"

namespace cdv::adb {

ServerAccess SystemServerAccess(std::uint16_t port) {
  ServerAccess access;
  access.port = port;
  access.connect = ConnectLoopback;
  access.find_adb = FindAdbExecutable;
  access.start_server = StartAdbServer;
  access.sleep_ms = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  return access;
}

ServerClient::ServerClient(ServerAccess access, OutputSink& diagnostics)
    : access_(std::move(access)), diagnostics_(diagnostics) {}

std::unique_ptr<ByteStream> ServerClient::Connect(std::string* error) {
  const std::string where = "tcp:" + std::to_string(access_.port);
  ConnectResult result = access_.connect(access_.port);
  if (result.outcome == ConnectOutcome::kConnected) return std::move(result.stream);
  const std::string refused = "cannot connect to daemon at " + where + ": " + result.error;
  if (result.outcome != ConnectOutcome::kRefused || start_attempted_) {
    *error = refused;
    return nullptr;
  }

  start_attempted_ = true;
  const std::string adb = access_.find_adb();
  if (adb.empty()) {
    *error = refused + " (no adb program beside droidgate or on the PATH to start the server with)";
    return nullptr;
  }
  diagnostics_.WriteLine("* daemon not running; starting now at " + where);
  std::string start_error;
  if (!access_.start_server(adb, access_.port, &start_error)) {
    diagnostics_.WriteLine("* failed to start daemon");
    *error = "cannot start " + adb + ": " + start_error;
    return nullptr;
  }
  const int interval = access_.retry_interval_ms > 0 ? access_.retry_interval_ms : 1;
  for (int waited = 0; waited < access_.start_wait_ms; waited += interval) {
    access_.sleep_ms(interval);
    result = access_.connect(access_.port);
    if (result.outcome == ConnectOutcome::kConnected) {
      diagnostics_.WriteLine("* daemon started successfully");
      return std::move(result.stream);
    }
  }
  diagnostics_.WriteLine("* failed to start daemon");
  *error = "cannot connect to daemon at " + where + ": " + result.error;
  return nullptr;
}

bool ServerClient::Query(std::string_view request, std::string* answer, std::string* error) {
  std::unique_ptr<ByteStream> stream = Connect(error);
  if (!stream) return false;
  const HostReply reply = SendHostRequest(*stream, request);
  if (reply.status != HostStatus::kOkay) {
    *error = reply.message;
    return false;
  }
  if (!ReadHostString(*stream, answer)) {
    *error = "the adb server's answer was cut off";
    return false;
  }
  return true;
}

bool ServerClient::CheckServerVersion(std::string* error) {
  std::string answer;
  if (!Query("host:version", &answer, error)) return false;
  std::size_t version = 0;
  if (!ParseHex4(answer, &version)) {
    *error = "the adb server sent an unreadable version";
    return false;
  }
  if (version < kMinServerVersion) {
    *error = "the adb server (version " + std::to_string(version) + ") is older than version " +
             std::to_string(kMinServerVersion) + "; restart it with a newer adb";
    return false;
  }
  return true;
}

bool ServerClient::DeviceFeatures(const std::string& serial, std::vector<std::string>* features,
                                  std::string* error) {
  std::string answer;
  const std::string request = serial.empty() ? "host:features" : "host-serial:" + serial + ":features";
  if (!Query(request, &answer, error)) return false;
  features->clear();
  std::size_t start = 0;
  while (start < answer.size()) {
    const std::size_t comma = answer.find(',', start);
    const std::size_t end = comma == std::string::npos ? answer.size() : comma;
    if (end > start) features->push_back(answer.substr(start, end - start));
    start = end + 1;
  }
  return true;
}

std::unique_ptr<ByteStream> ServerClient::OpenDeviceService(const std::string& serial, std::string_view service,
                                                            std::string* error) {
  std::unique_ptr<ByteStream> stream = Connect(error);
  if (!stream) return nullptr;
  // host:transport answers a bare OKAY; the newer tport form adds a raw id.
  const std::string transport = serial.empty() ? "host:transport-any" : "host:transport:" + serial;
  HostReply reply = SendHostRequest(*stream, transport);
  if (reply.status == HostStatus::kOkay) reply = SendHostRequest(*stream, service);
  if (reply.status != HostStatus::kOkay) {
    *error = reply.message;
    return nullptr;
  }
  return stream;
}

bool HasFeature(const std::vector<std::string>& features, std::string_view name) {
  for (const std::string& feature : features) {
    if (feature == name) return true;
  }
  return false;
}

}  // namespace cdv::adb
