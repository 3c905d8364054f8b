#pragma once

// A host folder served as the phone's file system, with Android's ownership
// of /data: app databases are owner-only, so the shell user cannot read them
// until root has changed their mode. Mode changes live as long as the phone.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/droidgate/sync_protocol.h"

namespace cdv::phonesim {

constexpr std::uint32_t kRootUid = 0;
constexpr std::uint32_t kSystemUid = 1000;
constexpr std::uint32_t kShellUid = 2000;
// u0_a2, the contacts provider's user on a typical phone.
constexpr std::uint32_t kAppUid = 10002;

std::string UserName(std::uint32_t uid);

// An absolute phone path with ".", ".." and repeated slashes resolved
// ("/.." stays "/"); nullopt for an empty path or one with a NUL byte.
std::optional<std::string> NormalizePhonePath(std::string_view path);

struct PhoneDirEntry {
  std::string name;
  adb::RemoteStat stat;
};

class PhoneFs {
 public:
  explicit PhoneFs(std::filesystem::path root);

  // Each call returns 0 or a Linux errno value. `uid` is the caller's user.
  std::uint32_t Stat(std::string_view path, std::uint32_t uid, adb::RemoteStat* stat) const;
  std::uint32_t OpenForRead(std::string_view path, std::uint32_t uid, std::unique_ptr<std::ifstream>* file) const;
  std::uint32_t List(std::string_view path, std::uint32_t uid, std::vector<PhoneDirEntry>* entries) const;
  std::uint32_t Chmod(std::string_view path, std::uint32_t uid, std::uint32_t mode);

 private:
  struct Node {
    std::filesystem::path host;
    adb::RemoteStat stat;
  };

  // The node at a normalised path, or an errno (ENOENT, EACCES on the way).
  std::uint32_t Resolve(const std::string& path, std::uint32_t uid, Node* node) const;
  std::optional<Node> Lookup(const std::string& path) const;
  bool Inside(const std::filesystem::path& host) const;

  std::filesystem::path root_;
  mutable std::mutex mutex_;
  std::map<std::string, std::uint32_t> modes_;  // permission bits set by chmod
};

}  // namespace cdv::phonesim
