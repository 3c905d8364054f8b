#pragma once

// The two forms of the relay: "shell ARGS..." and "pull REMOTE LOCAL".
// Exit codes and messages follow adb's.

#include <optional>
#include <string>
#include <vector>

#include "platform/droidgate/output_sink.h"
#include "platform/droidgate/server_client.h"

namespace cdv::adb {

struct CommandIo {
  OutputSink& out;
  OutputSink& err;
};

// Runs the arguments joined by blanks in the device's shell. With shell
// protocol v2 the exit status is the device's; a stream that ends without
// one is a failure. Without v2 the output is one mixed stream and the status 0.
int RunShellCommand(ServerClient& server, const std::string& serial, const std::vector<std::string>& args,
                    CommandIo io);

// Copies one remote file to `local` (or into it, when it is a folder), writing
// each piece as it arrives. A refused or failed transfer leaves no file.
int RunPullCommand(ServerClient& server, const std::string& serial, const std::string& remote,
                   const std::string& local, CommandIo io);

struct RelayEnvironment {
  std::optional<std::string> server_port;  // ANDROID_ADB_SERVER_PORT
  std::optional<std::string> serial;       // ANDROID_SERIAL
};

// The whole command line after the program name: [-s SERIAL] [-P PORT] then
// the command. `make_access` builds the server access for the chosen port.
int RunRelay(const std::vector<std::string>& args, const RelayEnvironment& environment,
             const std::function<ServerAccess(std::uint16_t)>& make_access, CommandIo io);

}  // namespace cdv::adb
