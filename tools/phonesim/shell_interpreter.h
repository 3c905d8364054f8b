#pragma once

// The phone's shell, as far as a contacts acquisition needs it: command
// lists joined by ; && ||, quoting, and the commands su, sh -c, chmod, ls,
// cat, id, whoami, echo, getprop, true, false and exit, with Android's
// messages and exit statuses.

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/phonesim/phone_fs.h"
#include "tools/phonesim/phone_profile.h"

namespace cdv::phonesim {

struct ShellResult {
  std::string out;
  std::string err;
  int status = 0;
};

class ShellInterpreter {
 public:
  ShellInterpreter(PhoneFs& fs, const PhoneProfile& profile) : fs_(fs), profile_(profile) {}

  ShellResult Run(std::string_view line, std::uint32_t uid);

 private:
  ShellResult RunLine(std::string_view line, std::uint32_t uid, int depth);

  PhoneFs& fs_;
  const PhoneProfile profile_;
};

}  // namespace cdv::phonesim
