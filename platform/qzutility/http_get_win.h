#pragma once
// One bounded HTTP(S) GET through the system's HTTP client.
#include <windows.h>

#include <cstddef>
#include <string>

namespace qz {

struct HttpLimits {
  int resolveMs = 5000;
  int connectMs = 5000;
  int sendMs = 5000;
  int receiveMs = 5000;  // per wait for the answer or the next piece of it
  DWORD totalMs = 15000; // the longest the caller waits for the whole exchange
  size_t maxBytes = 64 * 1024;
};

enum class HttpStatus { Ok, BadAddress, Failed, NotOk, TooLarge, TooSlow };

struct HttpAnswer {
  HttpStatus status = HttpStatus::Failed;
  std::string body;  // only with Ok
};

// Follows redirects; anything but a final 200 is NotOk.
HttpAnswer HttpGet(const std::wstring& url, const HttpLimits& limits = {});

}  // namespace qz
