#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "platform/droidgate/commands.h"
#include "platform/droidgate/windows_text.h"

namespace {

std::optional<std::string> Variable(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value ? std::optional<std::string>(cdv::adb::Utf8FromWide(value)) : std::nullopt;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The device's bytes pass through unchanged: no CR added before LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(cdv::adb::Utf8FromWide(argv[i]));
  cdv::adb::RelayEnvironment environment{Variable(L"ANDROID_ADB_SERVER_PORT"), Variable(L"ANDROID_SERIAL")};
  cdv::adb::FileSink out(stdout);
  cdv::adb::FileSink err(stderr);
  return cdv::adb::RunRelay(args, environment, cdv::adb::SystemServerAccess, {out, err});
}
