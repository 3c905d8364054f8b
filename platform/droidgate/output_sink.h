#pragma once

#include <cstdio>
#include <string_view>

namespace cdv::adb {

// Where the relay's standard output and error go: the console in the program,
// a string in tests.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual void Write(std::string_view bytes) = 0;
  void WriteLine(std::string_view text) {
    Write(text);
    Write("\n");
  }
};

// A C stream, flushed after each write so that output and errors keep their order.
class FileSink final : public OutputSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void Write(std::string_view bytes) override {
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::fflush(file_);
  }

 private:
  std::FILE* file_;
};

}  // namespace cdv::adb
