// phonesim: a simulated rooted phone for the real adb server.
//   phonesim --root FOLDER [--port N] [--old] [--no-root] [--throttle KIB] [--model NAME] [--quiet]
// Prints "phonesim listening on 127.0.0.1:PORT" once it accepts connections;
// then "adb connect 127.0.0.1:PORT" attaches it.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "platform/droidgate/loopback_socket.h"
#include "tools/phonesim/device_session.h"

namespace {

constexpr const char* kUsage =
    "usage: phonesim --root FOLDER [--port N] [--old] [--no-root] [--throttle KIB] [--model NAME] [--quiet]\n"
    "  --root FOLDER  the folder served as the phone's file system\n"
    "  --port N       loopback port to listen on (default: any free port)\n"
    "  --old          an old phone: no shell_v2 or stat_v2, 4 KiB packets, checksums\n"
    "  --no-root      a phone without su\n"
    "  --throttle K   pace stream data to K KiB per second\n";

std::mutex g_log_mutex;

}  // namespace

int main(int argc, char** argv) {
  using namespace cdv;
  phonesim::PhoneProfile profile;
  std::filesystem::path root;
  unsigned long port = 0;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--root" && has_value) root = argv[++i];
    else if (arg == "--port" && has_value) port = std::strtoul(argv[++i], nullptr, 10);
    else if (arg == "--model" && has_value) profile.model = argv[++i];
    else if (arg == "--throttle" && has_value) profile.throttle_kib_per_second = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    else if (arg == "--old") profile.old_phone = true;
    else if (arg == "--no-root") profile.rooted = false;
    else if (arg == "--quiet") quiet = true;
    else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  std::error_code ec;
  if (root.empty() || !std::filesystem::is_directory(root, ec) || port > 65535) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  std::string error;
  std::unique_ptr<adb::LoopbackListener> listener = adb::ListenLoopback(static_cast<std::uint16_t>(port), &error);
  if (!listener) {
    std::fprintf(stderr, "phonesim: cannot listen on port %lu: %s\n", port, error.c_str());
    return 1;
  }
  const std::string tag = "phonesim[" + std::to_string(listener->Port()) + "]: ";
  std::printf("phonesim listening on 127.0.0.1:%u\n", static_cast<unsigned>(listener->Port()));
  std::fflush(stdout);

  phonesim::PhoneFs fs(root);
  auto log = [quiet, tag](const std::string& line) {
    if (quiet) return;
    std::lock_guard<std::mutex> lock(g_log_mutex);
    std::fprintf(stderr, "%s%s\n", tag.c_str(), line.c_str());
  };
  while (std::unique_ptr<adb::ByteStream> link = listener->Accept()) {
    std::thread([link = std::move(link), &fs, &profile, log]() mutable {
      phonesim::DeviceSession(*link, fs, profile, log).Run();
    }).detach();
  }
  std::fprintf(stderr, "%slistening failed\n", tag.c_str());
  return 1;
}
