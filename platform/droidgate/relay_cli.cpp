#include "platform/droidgate/commands.h"

namespace cdv::adb {
namespace {

constexpr const char* kUsage =
    "usage: droidgate [-s SERIAL] [-P PORT] shell COMMAND...\n"
    "       droidgate [-s SERIAL] [-P PORT] pull REMOTE LOCAL\n"
    "The adb server is reached at 127.0.0.1 on PORT, $ANDROID_ADB_SERVER_PORT or 5037;\n"
    "SERIAL or $ANDROID_SERIAL picks the device when more than one is attached.\n";

bool ParsePort(const std::string& text, std::uint16_t* port) {
  if (text.empty() || text.size() > 5) return false;
  unsigned long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned long>(c - '0');
  }
  if (value == 0 || value > 65535) return false;
  *port = static_cast<std::uint16_t>(value);
  return true;
}

}  // namespace

int RunRelay(const std::vector<std::string>& args, const RelayEnvironment& environment,
             const std::function<ServerAccess(std::uint16_t)>& make_access, CommandIo io) {
  std::optional<std::string> serial_option;
  std::optional<std::string> port_option;
  std::size_t i = 0;
  while (i < args.size() && (args[i] == "-s" || args[i] == "-P")) {
    if (i + 1 >= args.size()) {
      io.err.Write(kUsage);
      return 1;
    }
    (args[i] == "-s" ? serial_option : port_option) = args[i + 1];
    i += 2;
  }

  std::uint16_t port = kDefaultServerPort;
  if (port_option) {
    if (!ParsePort(*port_option, &port)) {
      io.err.WriteLine("droidgate: -P must be a port number from 1 to 65535: got \"" + *port_option + "\"");
      return 1;
    }
  } else if (environment.server_port && !environment.server_port->empty()) {
    if (!ParsePort(*environment.server_port, &port)) {
      io.err.WriteLine("droidgate: $ANDROID_ADB_SERVER_PORT must be a port number from 1 to 65535: got \"" +
                       *environment.server_port + "\"");
      return 1;
    }
  }
  const std::string serial = serial_option ? *serial_option : environment.serial.value_or("");

  if (i >= args.size()) {
    io.err.Write(kUsage);
    return 1;
  }
  const std::string& command = args[i];
  const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  ServerClient server(make_access(port), io.err);
  if (command == "shell") return RunShellCommand(server, serial, rest, io);
  if (command == "pull" && rest.size() == 2) return RunPullCommand(server, serial, rest[0], rest[1], io);
  io.err.Write(kUsage);
  return 1;
}

}  // namespace cdv::adb
