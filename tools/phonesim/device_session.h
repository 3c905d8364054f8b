#pragma once

// One adb server connected to the phone: the CNXN handshake (no AUTH), then
// streams opened by the server, each with one WRTE in flight at a time and no
// payload above the size both sides allow.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/droidgate/byte_stream.h"
#include "tools/phonesim/phone_fs.h"
#include "tools/phonesim/phone_profile.h"
#include "tools/phonesim/shell_interpreter.h"
#include "tools/phonesim/stream_service.h"

namespace cdv::phonesim {

class DeviceSession {
 public:
  using Log = std::function<void(const std::string&)>;

  DeviceSession(adb::ByteStream& link, PhoneFs& fs, const PhoneProfile& profile, Log log);

  // Serves the connection until the server closes it or sends garbage.
  void Run();

 private:
  struct Stream {
    std::uint32_t remote_id = 0;
    std::unique_ptr<StreamService> service;
    bool write_in_flight = false;
  };

  bool Send(std::uint32_t command, std::uint32_t arg0, std::uint32_t arg1, std::string_view payload);
  bool OnConnect(std::uint32_t version, std::uint32_t max_data);
  bool OnOpen(std::uint32_t remote_id, std::string service_name);
  // Sends what the stream has ready, or closes it when its reply is complete.
  bool Pump(std::uint32_t local_id);
  std::unique_ptr<StreamService> MakeService(const std::string& name);

  adb::ByteStream& link_;
  PhoneFs& fs_;
  const PhoneProfile profile_;
  ShellInterpreter shell_;
  Log log_;
  bool connected_ = false;
  bool checksums_ = true;  // until the server's CNXN says otherwise
  std::size_t send_max_ = 4096;
  std::uint32_t next_id_ = 1;
  std::map<std::uint32_t, Stream> streams_;
};

}  // namespace cdv::phonesim
