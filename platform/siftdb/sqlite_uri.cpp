#include "platform/siftdb/sqlite_uri.h"

namespace cdv {
namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
}

}  // namespace

std::string SqliteFileUri(const std::string& utf8Path, const std::string& query) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string path = utf8Path;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  std::string uri = "file:";
  if (path.size() >= 3 && path[1] == ':' && path[2] == '/' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    uri += "///";  // C:/x is absolute: file:///C:/x
  } else if (path.size() >= 2 && path[0] == '/' && path[1] == '/') {
    uri += "//";   // a UNC path keeps its server part: file:////server/share/x
  }
  for (unsigned char c : path) {
    if (Unreserved(c)) {
      uri.push_back(static_cast<char>(c));
    } else {
      uri.push_back('%');
      uri.push_back(kHex[c >> 4]);
      uri.push_back(kHex[c & 15]);
    }
  }
  if (!query.empty()) uri += "?" + query;
  return uri;
}

}  // namespace cdv
