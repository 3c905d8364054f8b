#include "tools/phonesim/shell_service.h"

#include <algorithm>

namespace cdv::phonesim {
namespace {

// A terminal turns LF into CR LF, as old phones' v1 shells did.
std::string TerminalLineEnds(const std::string& text) {
  std::string converted;
  converted.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') converted.push_back('\r');
    converted.push_back(c);
  }
  return converted;
}

}  // namespace

ShellService::ShellService(ShellInterpreter& shell, const adb::ShellServiceRequest& request,
                           bool terminal_line_ends) {
  const ShellResult result = shell.Run(request.command, kShellUid);
  if (request.v2) {
    if (!result.out.empty()) reply_ += adb::EncodeShellPacket(adb::kShellStdout, result.out);
    if (!result.err.empty()) reply_ += adb::EncodeShellPacket(adb::kShellStderr, result.err);
    reply_ += adb::EncodeShellPacket(adb::kShellExit, std::string(1, static_cast<char>(result.status & 0xFF)));
  } else {
    reply_ = result.out + result.err;
    if (terminal_line_ends || request.pty) reply_ = TerminalLineEnds(reply_);
  }
}

void ShellService::TakeOutput(std::size_t max, std::string* out) {
  const std::size_t n = std::min(max, reply_.size() - taken_);
  out->append(reply_, taken_, n);
  taken_ += n;
}

}  // namespace cdv::phonesim
