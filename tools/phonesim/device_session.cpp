#include "tools/phonesim/device_session.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/droidgate/shell_protocol.h"
#include "platform/droidgate/wire_protocol.h"
#include "tools/phonesim/shell_service.h"
#include "tools/phonesim/sync_service.h"

namespace cdv::phonesim {

// The server sends at most the device's maxdata, and CNXN/AUTH up to 4 KiB;
// anything larger is not an adb server.
constexpr std::size_t kMinReceiveLimit = 64 * 1024;

DeviceSession::DeviceSession(adb::ByteStream& link, PhoneFs& fs, const PhoneProfile& profile, Log log)
    : link_(link), fs_(fs), profile_(profile), shell_(fs, profile_), log_(std::move(log)) {}

bool DeviceSession::Send(std::uint32_t command, std::uint32_t arg0, std::uint32_t arg1, std::string_view payload) {
  return adb::WriteString(link_, adb::EncodeWirePacket(command, arg0, arg1, payload, checksums_));
}

bool DeviceSession::OnConnect(std::uint32_t version, std::uint32_t max_data) {
  // A second CNXN is a reconnect: streams of the old session are gone.
  streams_.clear();
  connected_ = true;
  checksums_ = std::min(version, profile_.Version()) < adb::kVersionSkipChecksum;
  send_max_ = std::min<std::size_t>(profile_.MaxData(), max_data > 0 ? max_data : 4096);
  log_("connected: host version " + std::to_string(version) + ", maxdata " + std::to_string(max_data));
  return Send(adb::kCmdCnxn, profile_.Version(), profile_.MaxData(), profile_.Banner());
}

std::unique_ptr<StreamService> DeviceSession::MakeService(const std::string& name) {
  adb::ShellServiceRequest shell;
  if (adb::ParseShellServiceName(name, &shell)) {
    if (shell.v2 && !profile_.ShellV2()) return nullptr;
    if (shell.command.empty()) return nullptr;  // interactive shells are not simulated
    return std::make_unique<ShellService>(shell_, shell, profile_.old_phone);
  }
  if (name == "sync:") return std::make_unique<SyncService>(fs_, profile_);
  return nullptr;
}

bool DeviceSession::OnOpen(std::uint32_t remote_id, std::string service_name) {
  // The OPEN payload ends with a NUL.
  while (!service_name.empty() && service_name.back() == '\0') service_name.pop_back();
  log_("open " + service_name);
  std::unique_ptr<StreamService> service = MakeService(service_name);
  if (!service || remote_id == 0) {
    log_("refused " + service_name);
    return Send(adb::kCmdClse, 0, remote_id, {});
  }
  const std::uint32_t local_id = next_id_++;
  streams_[local_id] = Stream{remote_id, std::move(service), false};
  // An OPEN counts as ready: the reply may follow the OKAY at once.
  return Send(adb::kCmdOkay, local_id, remote_id, {}) && Pump(local_id);
}

bool DeviceSession::Pump(std::uint32_t local_id) {
  const auto it = streams_.find(local_id);
  if (it == streams_.end() || it->second.write_in_flight) return true;
  Stream& stream = it->second;
  std::string piece;
  // A throttled phone sends small packets so that data trickles in evenly.
  const std::size_t limit = profile_.throttle_kib_per_second > 0 ? std::min<std::size_t>(send_max_, 4096) : send_max_;
  stream.service->TakeOutput(limit, &piece);
  if (!piece.empty()) {
    if (profile_.throttle_kib_per_second > 0) {
      const auto pause = std::chrono::microseconds(piece.size() * 1000000ull /
                                                   (profile_.throttle_kib_per_second * 1024ull));
      std::this_thread::sleep_for(pause);
    }
    stream.write_in_flight = true;
    return Send(adb::kCmdWrte, local_id, stream.remote_id, piece);
  }
  if (stream.service->Finished()) {
    const std::uint32_t remote_id = stream.remote_id;
    streams_.erase(it);
    return Send(adb::kCmdClse, local_id, remote_id, {});
  }
  return true;
}

void DeviceSession::Run() {
  const std::size_t receive_limit = std::max<std::size_t>(profile_.MaxData(), kMinReceiveLimit);
  adb::WirePacket packet;
  for (;;) {
    const adb::WireReadResult read = adb::ReadWirePacket(link_, receive_limit, &packet);
    if (read == adb::WireReadResult::kEnd) {
      log_("disconnected");
      return;
    }
    if (read == adb::WireReadResult::kMalformed) {
      log_("malformed packet; dropping the connection");
      return;
    }
    bool ok = true;
    if (packet.command == adb::kCmdCnxn) {
      ok = OnConnect(packet.arg0, packet.arg1);
    } else if (!connected_) {
      log_("ignored " + adb::WireCommandName(packet.command) + " before CNXN");
    } else if (packet.command == adb::kCmdOpen) {
      ok = OnOpen(packet.arg0, packet.payload);
    } else if (packet.command == adb::kCmdOkay) {
      // OKAY(remote, local): our last WRTE on that stream was taken.
      const auto it = streams_.find(packet.arg1);
      if (it != streams_.end() && it->second.remote_id == packet.arg0) {
        it->second.write_in_flight = false;
        ok = Pump(packet.arg1);
      }
    } else if (packet.command == adb::kCmdWrte) {
      const auto it = streams_.find(packet.arg1);
      if (it != streams_.end() && it->second.remote_id == packet.arg0) {
        ok = Send(adb::kCmdOkay, packet.arg1, packet.arg0, {});
        it->second.service->OnInput(packet.payload);
        ok = ok && Pump(packet.arg1);
      }
    } else if (packet.command == adb::kCmdClse) {
      // CLSE(remote, local) is not answered.
      const auto it = streams_.find(packet.arg1);
      if (it != streams_.end() && (packet.arg0 == 0 || it->second.remote_id == packet.arg0)) streams_.erase(it);
    } else {
      log_("ignored " + adb::WireCommandName(packet.command));
    }
    if (!ok) {
      log_("connection lost while sending");
      return;
    }
  }
}

}  // namespace cdv::phonesim
