#include "platform/droidgate/commands.h"
#include "platform/droidgate/host_protocol.h"
#include "platform/droidgate/shell_protocol.h"

namespace cdv::adb {
namespace {

class ShellOutput final : public ShellPacketReader::Sink {
 public:
  explicit ShellOutput(CommandIo io) : io_(io) {}

  void OnShellData(std::uint8_t id, std::string_view piece) override {
    if (id == kShellStdout) io_.out.Write(piece);
    else if (id == kShellStderr) io_.err.Write(piece);
    else if (id == kShellExit && !piece.empty() && !exit_status_) exit_status_ = static_cast<unsigned char>(piece[0]);
  }

  const std::optional<int>& exit_status() const { return exit_status_; }

 private:
  CommandIo io_;
  std::optional<int> exit_status_;
};

}  // namespace

int RunShellCommand(ServerClient& server, const std::string& serial, const std::vector<std::string>& args,
                    CommandIo io) {
  const std::string command = JoinShellArguments(args);
  if (command.empty()) {
    io.err.WriteLine("droidgate: shell needs a command; interactive shells are not supported");
    return 1;
  }
  std::string error;
  std::vector<std::string> features;
  if (!server.CheckServerVersion(&error) || !server.DeviceFeatures(serial, &features, &error)) {
    io.err.WriteLine("error: " + error);
    return 1;
  }
  const bool v2 = HasFeature(features, "shell_v2");
  const std::string service = ShellServiceName(v2, command);
  if (service.size() > kMaxHostPayload) {
    io.err.WriteLine("error: shell command too long");
    return 1;
  }
  std::unique_ptr<ByteStream> stream = server.OpenDeviceService(serial, service, &error);
  if (!stream) {
    io.err.WriteLine("error: " + error);
    return 1;
  }

  char buffer[16 * 1024];
  if (!v2) {
    // Protocol v1 carries no exit status: adb reports success whatever the command did.
    for (std::ptrdiff_t n; (n = stream->ReadSome(buffer, sizeof buffer)) > 0;) {
      io.out.Write(std::string_view(buffer, static_cast<std::size_t>(n)));
    }
    return 0;
  }

  // Nothing is typed into the command: close its input at once, as adb does.
  WriteString(*stream, EncodeShellPacket(kShellCloseStdin, {}));
  ShellPacketReader reader;
  ShellOutput output(io);
  for (std::ptrdiff_t n; !output.exit_status() && (n = stream->ReadSome(buffer, sizeof buffer)) > 0;) {
    reader.Feed(std::string_view(buffer, static_cast<std::size_t>(n)), output);
  }
  if (!output.exit_status()) {
    io.err.WriteLine("error: the device's shell ended without an exit status");
    return 1;
  }
  return *output.exit_status();
}

}  // namespace cdv::adb
