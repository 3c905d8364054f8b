#pragma once

// The pulled file on this computer. Writes go straight to the system, not
// through a library buffer, so a relay stopped mid-pull leaves every byte it
// had received. Paths are UTF-8. Implemented per platform.

#include <cstddef>
#include <memory>
#include <string>

namespace cdv::adb {

class LocalFileWriter {
 public:
  virtual ~LocalFileWriter() = default;
  virtual bool Write(const void* data, std::size_t length, std::string* error) = 0;
};

// Creates or truncates the file; null with the system's reason on failure.
std::unique_ptr<LocalFileWriter> CreateLocalFile(const std::string& path, std::string* error);
bool RemoveLocalFile(const std::string& path);
bool IsLocalDirectory(const std::string& path);

}  // namespace cdv::adb
