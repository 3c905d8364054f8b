#include <cstdio>
#include <cstdlib>

#include "platform/droidgate/commands.h"

namespace {

class FileSink final : public cdv::adb::OutputSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void Write(std::string_view bytes) override {
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::fflush(file_);
  }

 private:
  std::FILE* file_;
};

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  cdv::adb::RelayEnvironment environment{Variable("ANDROID_ADB_SERVER_PORT"), Variable("ANDROID_SERIAL")};
  FileSink out(stdout);
  FileSink err(stderr);
  return cdv::adb::RunRelay(args, environment, cdv::adb::SystemServerAccess, {out, err});
}
