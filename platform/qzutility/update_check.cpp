#include <string>

#include "platform/qzutility/http_get_win.h"
#include "platform/qzutility/qzutility.h"
#include "platform/qzutility/update_manifest.h"

namespace {

// Product ids and versions are ASCII by the manifest's rules; anything else
// cannot match or parse, and turns into something that does not.
std::string Narrow(const wchar_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (; *text != L'\0'; ++text) out.push_back(*text < 0x80 ? static_cast<char>(*text) : '\x7f');
  return out;
}

}  // namespace

int __cdecl qzCheckUpdate(const wchar_t* productId, const wchar_t* currentVersion, const wchar_t* manifestUrl) {
  if (productId == nullptr || currentVersion == nullptr || manifestUrl == nullptr) return 0;
  // Nothing to compare with: no update can be claimed.
  if (!qz::ParseVersion(Narrow(currentVersion))) return 0;
  const qz::HttpAnswer answer = qz::HttpGet(manifestUrl);
  if (answer.status != qz::HttpStatus::Ok) return 0;
  return qz::ManifestOffersUpdate(answer.body, Narrow(productId), Narrow(currentVersion)) ? 1 : 0;
}

int __cdecl qzGetLatestVersionW(const wchar_t* productId, const wchar_t* manifestUrl, wchar_t* buffer,
                                DWORD capacity) {
  if (buffer != nullptr && capacity > 0) buffer[0] = L'\0';
  if (productId == nullptr || manifestUrl == nullptr || buffer == nullptr || capacity == 0) return 0;
  const qz::HttpAnswer answer = qz::HttpGet(manifestUrl);
  if (answer.status != qz::HttpStatus::Ok) return 0;
  const auto latest = qz::LatestVersionIn(answer.body, Narrow(productId));
  if (!latest || latest->size() >= capacity) return 0;
  for (size_t i = 0; i < latest->size(); ++i) buffer[i] = static_cast<wchar_t>((*latest)[i]);
  buffer[latest->size()] = L'\0';
  return 1;
}
