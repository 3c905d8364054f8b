#pragma once
// A fresh folder under the system's temporary folder, removed afterwards.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace cdv::test {

class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("cdv-" + std::to_string(seed()) + "-" + std::to_string(counter_++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::u16string u16() const { return path_.u16string(); }

  // An empty file, e.g. to stand for a database the fake reader "reads".
  std::filesystem::path Touch(const std::string& name) const {
    const auto p = path_ / name;
    std::ofstream(p, std::ios::binary).flush();
    return p;
  }

 private:
  static inline std::atomic<int> counter_{0};
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace cdv::test
