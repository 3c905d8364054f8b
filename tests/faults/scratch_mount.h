#pragma once
// A small tmpfs mounted over a folder for the length of a test; needs the
// privilege to mount, and reports whether it got it.
#include <sys/mount.h>

#include <filesystem>
#include <string>

namespace cdv {

class ScratchMount {
 public:
  ScratchMount(const std::filesystem::path& at, const std::string& options) : at_(at) {
    mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~ScratchMount() {
    if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
  }
  ScratchMount(const ScratchMount&) = delete;
  ScratchMount& operator=(const ScratchMount&) = delete;

  bool mounted() const { return mounted_; }
  // Read-only binds even the superuser, unlike file modes.
  bool MakeReadOnly() { return ::mount("tmpfs", at_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

 private:
  std::filesystem::path at_;
  bool mounted_ = false;
};

}  // namespace cdv
