#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/droidgate/shell_protocol.h"
#include "tools/phonesim/shell_interpreter.h"
#include "tools/phonesim/stream_service.h"

namespace cdv::phonesim {

// Runs the command at once as the shell user; replies with v2 packets
// (stdout, stderr, exit) or, in v1, the mixed output alone.
class ShellService final : public StreamService {
 public:
  ShellService(ShellInterpreter& shell, const adb::ShellServiceRequest& request, bool terminal_line_ends);

  void OnInput(std::string_view) override {}  // no command reads its input
  void TakeOutput(std::size_t max, std::string* out) override;
  bool Finished() const override { return taken_ >= reply_.size(); }

 private:
  std::string reply_;
  std::size_t taken_ = 0;
};

}  // namespace cdv::phonesim
