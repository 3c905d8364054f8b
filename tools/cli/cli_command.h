#pragma once
// The commands of cardivane-cli. Each command lives in its own command_*.cpp
// file and registers itself with CARDIVANE_CLI_COMMAND; main only dispatches.
#include <ostream>
#include <string>
#include <vector>

namespace cdv {

struct CliCommand {
  const char* name;
  const char* arguments;  // shown in the usage text, e.g. "PATH"
  const char* summary;
  // `args` are the words after the command's name. Returns the exit code.
  int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

bool RegisterCliCommand(const CliCommand& command);
// Registered commands, sorted by name.
std::vector<CliCommand> CliCommands();

// Exit codes shared by the commands.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;  // bad arguments, or an input that cannot be read

// Runs the command named by argv[1]; prints the usage text for none or an
// unknown one.
int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

}  // namespace cdv

#define CARDIVANE_CLI_COMMAND(id, ...) \
  static const bool kRegistered_##id = ::cdv::RegisterCliCommand(::cdv::CliCommand{__VA_ARGS__})
