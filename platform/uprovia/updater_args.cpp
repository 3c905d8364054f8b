#include "platform/uprovia/updater_args.h"

#include "platform/qzutility/update_manifest.h"

namespace uprovia {
namespace {

std::string Ascii(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '\x7f');
  return out;
}

}  // namespace

bool ParseUpdaterArgs(const std::vector<std::wstring>& args, UpdaterRequest* request) {
  if (request == nullptr) return false;
  size_t next = 0;
  if (args.size() == 6) {
    *request = UpdaterRequest{args[0], args[1], {}, {}, {}};
    next = 2;
  } else if (args.size() == 5) {
    *request = UpdaterRequest{args[0], {}, {}, {}, {}};
    next = 1;
  } else {
    return false;
  }
  request->windowTitle = args[next];
  request->windowClass = args[next + 1];
  request->instanceId = args[next + 2];
  // The instance id comes twice; two different ones are not our program's.
  return !request->productId.empty() && !request->instanceId.empty() && args[next + 2] == args[next + 3];
}

std::wstring UpdateStatusText(const std::wstring& installed, const std::wstring& latest, bool manifestRead) {
  if (!manifestRead || latest.empty()) return L"The update server could not be reached. Please try again later.";
  const auto order = qz::CompareVersions(Ascii(latest), Ascii(installed));
  if (order && *order > 0) return L"Version " + latest + L" is available on the download page.";
  if (order) return L"You have the latest version.";
  return L"Version " + latest + L" is on the download page.";
}

}  // namespace uprovia
