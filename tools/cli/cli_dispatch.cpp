#include <algorithm>
#include <cstring>

#include "tools/cli/cli_command.h"

namespace cdv {
namespace {

std::vector<CliCommand>& Registry() {
  static std::vector<CliCommand> commands;
  return commands;
}

void PrintUsage(std::ostream& err) {
  err << "usage: cardivane-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
  for (const CliCommand& c : CliCommands()) {
    err << "  " << c.name << ' ' << c.arguments << "\n      " << c.summary << '\n';
  }
}

}  // namespace

bool RegisterCliCommand(const CliCommand& command) {
  Registry().push_back(command);
  return true;
}

std::vector<CliCommand> CliCommands() {
  std::vector<CliCommand> sorted = Registry();
  std::sort(sorted.begin(), sorted.end(),
            [](const CliCommand& a, const CliCommand& b) { return std::strcmp(a.name, b.name) < 0; });
  return sorted;
}

int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
  if (argv.size() < 2 || argv[1] == "--help" || argv[1] == "-h" || argv[1] == "help") {
    PrintUsage(argv.size() < 2 ? err : out);
    return argv.size() < 2 ? kExitUsage : kExitOk;
  }
  for (const CliCommand& c : CliCommands()) {
    if (argv[1] == c.name) return c.run(std::vector<std::string>(argv.begin() + 2, argv.end()), out, err);
  }
  err << "cardivane-cli: unknown command '" << argv[1] << "'\n";
  PrintUsage(err);
  return kExitUsage;
}

}  // namespace cdv
