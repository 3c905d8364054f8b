#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/droidgate/local_file.h"

namespace cdv::adb {
namespace {

class PosixFileWriter final : public LocalFileWriter {
 public:
  explicit PosixFileWriter(int fd) : fd_(fd) {}
  ~PosixFileWriter() override { ::close(fd_); }
  PosixFileWriter(const PosixFileWriter&) = delete;
  PosixFileWriter& operator=(const PosixFileWriter&) = delete;

  bool Write(const void* data, std::size_t length, std::string* error) override {
    const char* p = static_cast<const char*>(data);
    while (length > 0) {
      const ssize_t n = ::write(fd_, p, length);
      if (n < 0) {
        if (errno == EINTR) continue;
        *error = std::strerror(errno);
        return false;
      }
      p += n;
      length -= static_cast<std::size_t>(n);
    }
    return true;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<LocalFileWriter> CreateLocalFile(const std::string& path, std::string* error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    *error = std::strerror(errno);
    return nullptr;
  }
  return std::make_unique<PosixFileWriter>(fd);
}

bool RemoveLocalFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool IsLocalDirectory(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace cdv::adb
