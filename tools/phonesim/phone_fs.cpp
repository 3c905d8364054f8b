#include "tools/phonesim/phone_fs.h"

#include <algorithm>
#include <chrono>
#include <functional>

namespace cdv::phonesim {
namespace fs = std::filesystem;
using adb::RemoteStat;

namespace {

bool Under(const std::string& path, std::string_view prefix) {
  return path.compare(0, prefix.size(), prefix) == 0 &&
         (path.size() == prefix.size() || path[prefix.size()] == '/');
}

struct Ownership {
  std::uint32_t uid;
  std::uint32_t perms;
};

// Android's layout: /data and /data/data belong to system, everything below to
// the app (directories searchable by others, files owner and group only),
// /data/local/tmp to the shell; the rest of the tree to root, world-readable.
Ownership DefaultOwnership(const std::string& path, bool directory) {
  if (Under(path, "/data/local/tmp")) return {kShellUid, directory ? 0771u : 0666u};
  if (path == "/data" || path == "/data/data") return {kSystemUid, 0771u};
  if (Under(path, "/data")) return {kAppUid, directory ? 0771u : 0660u};
  return {kRootUid, directory ? 0755u : 0644u};
}

// One of r (4), w (2), x (1) for the caller's class; root may do anything.
bool Allowed(const RemoteStat& stat, std::uint32_t uid, std::uint32_t bit) {
  if (uid == kRootUid) return true;
  const std::uint32_t perms = stat.mode & 0777u;
  const std::uint32_t granted = uid == stat.uid ? perms >> 6 : uid == stat.gid ? perms >> 3 : perms;
  return (granted & bit) != 0;
}

bool IsDirectory(const RemoteStat& stat) { return (stat.mode & adb::kModeTypeMask) == adb::kModeDirectory; }

std::int64_t UnixTime(fs::file_time_type when) {
  const auto now_system = std::chrono::system_clock::now();
  const auto now_file = fs::file_time_type::clock::now();
  const auto system_when =
      now_system + std::chrono::duration_cast<std::chrono::system_clock::duration>(when - now_file);
  return std::chrono::duration_cast<std::chrono::seconds>(system_when.time_since_epoch()).count();
}

}  // namespace

std::string UserName(std::uint32_t uid) {
  switch (uid) {
    case kRootUid: return "root";
    case kSystemUid: return "system";
    case kShellUid: return "shell";
    case kAppUid: return "u0_a2";
    default: return std::to_string(uid);
  }
}

std::optional<std::string> NormalizePhonePath(std::string_view path) {
  if (path.empty() || path.find('\0') != std::string_view::npos) return std::nullopt;
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = std::min(path.find('/', start), path.size());
    const std::string_view part = path.substr(start, slash - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = slash + 1;
  }
  std::string normalized;
  for (std::string_view part : parts) {
    normalized.push_back('/');
    normalized.append(part);
  }
  return normalized.empty() ? std::string("/") : normalized;
}

PhoneFs::PhoneFs(fs::path root) {
  std::error_code ec;
  root_ = fs::canonical(root, ec);
  if (ec) root_ = fs::absolute(root, ec);
}

bool PhoneFs::Inside(const fs::path& host) const {
  // A symbolic link in the folder must not lead the phone out of it.
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(host, ec);
  if (ec) return false;
  const fs::path relative = real.lexically_relative(root_);
  return !relative.empty() && *relative.begin() != "..";
}

std::optional<PhoneFs::Node> PhoneFs::Lookup(const std::string& path) const {
  Node node;
  node.host = path == "/" ? root_ : root_ / fs::u8path(path.substr(1));
  if (!Inside(node.host)) return std::nullopt;
  std::error_code ec;
  const fs::file_status status = fs::status(node.host, ec);
  if (ec || !fs::exists(status)) return std::nullopt;
  const bool directory = fs::is_directory(status);
  const Ownership owner = DefaultOwnership(path, directory);
  std::uint32_t perms = owner.perms;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto changed = modes_.find(path);
    if (changed != modes_.end()) perms = changed->second;
  }
  RemoteStat& stat = node.stat;
  stat.mode = (directory ? adb::kModeDirectory : adb::kModeRegular) | perms;
  stat.uid = stat.gid = owner.uid;
  stat.nlink = directory ? 2 : 1;
  stat.dev = 0xfd00;
  stat.ino = std::hash<std::string>{}(path) & 0xFFFFFFFFu;
  stat.size = directory ? 4096 : static_cast<std::uint64_t>(fs::file_size(node.host, ec));
  if (ec) stat.size = 0;
  const fs::file_time_type written = fs::last_write_time(node.host, ec);
  stat.mtime = stat.atime = stat.ctime = ec ? 0 : UnixTime(written);
  return node;
}

std::uint32_t PhoneFs::Resolve(const std::string& path, std::uint32_t uid, Node* node) const {
  // Every folder on the way must exist and be searchable by the caller.
  std::string prefix;
  std::size_t start = 1;
  while (start < path.size()) {
    const std::optional<Node> parent = Lookup(prefix.empty() ? "/" : prefix);
    if (!parent) return adb::kLinuxENOENT;
    if (!IsDirectory(parent->stat)) return adb::kLinuxENOTDIR;
    if (!Allowed(parent->stat, uid, 1)) return adb::kLinuxEACCES;
    const std::size_t slash = std::min(path.find('/', start), path.size());
    prefix = path.substr(0, slash);
    start = slash + 1;
  }
  const std::optional<Node> found = Lookup(path);
  if (!found) return adb::kLinuxENOENT;
  *node = *found;
  return 0;
}

std::uint32_t PhoneFs::Stat(std::string_view path, std::uint32_t uid, RemoteStat* stat) const {
  const std::optional<std::string> normalized = NormalizePhonePath(path);
  if (!normalized) return adb::kLinuxENOENT;
  Node node;
  const std::uint32_t error = Resolve(*normalized, uid, &node);
  if (error == 0) *stat = node.stat;
  return error;
}

std::uint32_t PhoneFs::OpenForRead(std::string_view path, std::uint32_t uid,
                                   std::unique_ptr<std::ifstream>* file) const {
  const std::optional<std::string> normalized = NormalizePhonePath(path);
  if (!normalized) return adb::kLinuxENOENT;
  Node node;
  if (const std::uint32_t error = Resolve(*normalized, uid, &node)) return error;
  if (IsDirectory(node.stat)) return adb::kLinuxEISDIR;
  if (!Allowed(node.stat, uid, 4)) return adb::kLinuxEACCES;
  auto stream = std::make_unique<std::ifstream>(node.host, std::ios::binary);
  if (!*stream) return adb::kLinuxEACCES;
  *file = std::move(stream);
  return 0;
}

std::uint32_t PhoneFs::List(std::string_view path, std::uint32_t uid, std::vector<PhoneDirEntry>* entries) const {
  const std::optional<std::string> normalized = NormalizePhonePath(path);
  if (!normalized) return adb::kLinuxENOENT;
  Node node;
  if (const std::uint32_t error = Resolve(*normalized, uid, &node)) return error;
  if (!IsDirectory(node.stat)) return adb::kLinuxENOTDIR;
  if (!Allowed(node.stat, uid, 4)) return adb::kLinuxEACCES;
  entries->clear();
  std::error_code ec;
  for (fs::directory_iterator it(node.host, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().u8string();
    const std::string child = (*normalized == "/" ? std::string() : *normalized) + "/" + name;
    if (const std::optional<Node> found = Lookup(child)) entries->push_back({name, found->stat});
  }
  std::sort(entries->begin(), entries->end(),
            [](const PhoneDirEntry& a, const PhoneDirEntry& b) { return a.name < b.name; });
  return 0;
}

std::uint32_t PhoneFs::Chmod(std::string_view path, std::uint32_t uid, std::uint32_t mode) {
  const std::optional<std::string> normalized = NormalizePhonePath(path);
  if (!normalized) return adb::kLinuxENOENT;
  Node node;
  if (const std::uint32_t error = Resolve(*normalized, uid, &node)) return error;
  if (uid != kRootUid && uid != node.stat.uid) return adb::kLinuxEPERM;
  std::lock_guard<std::mutex> lock(mutex_);
  modes_[*normalized] = mode & 07777u;
  return 0;
}

}  // namespace cdv::phonesim
