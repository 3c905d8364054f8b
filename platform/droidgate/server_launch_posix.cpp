#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/droidgate/server_launch.h"

extern char** environ;

namespace cdv::adb {
namespace {

bool IsExecutableFile(const std::string& path) { return !path.empty() && ::access(path.c_str(), X_OK) == 0; }

std::string OwnDirectory() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  std::string path(buffer, static_cast<std::size_t>(n));
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::vector<int> OpenDescriptorsAbove2() {
  std::vector<int> fds;
  DIR* dir = ::opendir("/proc/self/fd");
  if (!dir) return fds;
  const int own = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const int fd = std::atoi(entry->d_name);
    if (fd > 2 && fd != own) fds.push_back(fd);
  }
  ::closedir(dir);
  return fds;
}

}  // namespace

std::string FindAdbExecutable() {
  const std::string own = OwnDirectory();
  if (!own.empty() && IsExecutableFile(own + "/adb")) return own + "/adb";
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    std::string dir(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (dir.empty()) continue;
    const std::string candidate = dir + "/adb";
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}

bool StartAdbServer(const std::string& adb_path, std::uint16_t port, std::string* error) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  for (int fd : OpenDescriptorsAbove2()) posix_spawn_file_actions_addclose(&actions, fd);
  // Its own session: whoever stops this relay's process group must not stop the server.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

  const std::string port_text = std::to_string(port);
  std::vector<char*> argv = {const_cast<char*>(adb_path.c_str()), const_cast<char*>("-P"),
                             const_cast<char*>(port_text.c_str()), const_cast<char*>("start-server"), nullptr};
  pid_t pid = 0;
  const int rc = ::posix_spawn(&pid, adb_path.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (rc != 0) {
    *error = std::strerror(rc);
    return false;
  }
  return true;
}

}  // namespace cdv::adb
