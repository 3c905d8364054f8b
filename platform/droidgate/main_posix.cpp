#include <cstdio>
#include <cstdlib>

#include "platform/droidgate/commands.h"

namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  cdv::adb::RelayEnvironment environment{Variable("ANDROID_ADB_SERVER_PORT"), Variable("ANDROID_SERIAL")};
  cdv::adb::FileSink out(stdout);
  cdv::adb::FileSink err(stderr);
  return cdv::adb::RunRelay(args, environment, cdv::adb::SystemServerAccess, {out, err});
}
