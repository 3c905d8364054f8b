#pragma once
// The updater's arguments, as the program passes them: product id, installed
// version, window title, window class, and the instance id twice.
#include <string>
#include <vector>

namespace uprovia {

struct UpdaterRequest {
  std::wstring productId;
  std::wstring version;      // empty when the program knew none
  std::wstring windowTitle;
  std::wstring windowClass;
  std::wstring instanceId;
};

// `args` are the arguments after the program's own name, as the system splits
// the command line. An empty version leaves two blanks on the command line,
// which splitting drops, so five arguments mean "no version". Nothing when
// the arguments are not of that shape.
bool ParseUpdaterArgs(const std::vector<std::wstring>& args, UpdaterRequest* request);

// The status line for the latest version the manifest gave (empty when it
// could not be read) against the installed one.
std::wstring UpdateStatusText(const std::wstring& installed, const std::wstring& latest, bool manifestRead);

}  // namespace uprovia
