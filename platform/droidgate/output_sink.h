#pragma once

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

}  // namespace cdv::adb
