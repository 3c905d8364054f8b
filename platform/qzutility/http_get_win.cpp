#include "platform/qzutility/http_get_win.h"

#include <winhttp.h>

#include <memory>
#include <vector>

namespace qz {
namespace {

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  ~InternetHandle() {
    if (h_ != nullptr) ::WinHttpCloseHandle(h_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HINTERNET h_;
};

// The exchange itself, with the client's own time-outs and the overall
// limit checked between pieces.
HttpAnswer Exchange(const std::wstring& url, const HttpLimits& limits) {
  const DWORD started = ::GetTickCount();
  HttpAnswer answer;

  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (url.empty() || !::WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) ||
      parts.dwHostNameLength == 0) {
    answer.status = HttpStatus::BadAddress;
    return answer;
  }
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  if (parts.lpszExtraInfo != nullptr) path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (path.empty()) path = L"/";

  InternetHandle session(::WinHttpOpen(L"Marlowen-Update/1.0", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return answer;
  ::WinHttpSetTimeouts(session.get(), limits.resolveMs, limits.connectMs, limits.sendMs, limits.receiveMs);
  InternetHandle connection(::WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
  if (!connection) return answer;
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  InternetHandle request(::WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                              WINHTTP_DEFAULT_ACCEPT_TYPES, secure | WINHTTP_FLAG_REFRESH));
  if (!request) return answer;
  if (!::WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !::WinHttpReceiveResponse(request.get(), nullptr)) {
    return answer;
  }

  DWORD code = 0;
  DWORD codeSize = sizeof(code);
  if (!::WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &code, &codeSize, WINHTTP_NO_HEADER_INDEX)) {
    return answer;
  }
  if (code != 200) {
    answer.status = HttpStatus::NotOk;
    return answer;
  }

  std::vector<char> piece(4096);
  for (;;) {
    if (::GetTickCount() - started > limits.totalMs) {
      answer.status = HttpStatus::TooSlow;
      answer.body.clear();
      return answer;
    }
    DWORD got = 0;
    if (!::WinHttpReadData(request.get(), piece.data(), static_cast<DWORD>(piece.size()), &got)) {
      answer.body.clear();
      return answer;
    }
    if (got == 0) break;
    if (answer.body.size() + got > limits.maxBytes) {
      answer.status = HttpStatus::TooLarge;
      answer.body.clear();
      return answer;
    }
    answer.body.append(piece.data(), got);
  }
  answer.status = HttpStatus::Ok;
  return answer;
}

struct PendingExchange {
  std::wstring url;
  HttpLimits limits;
  HttpAnswer answer;
  HANDLE done = nullptr;
  ~PendingExchange() {
    if (done != nullptr) ::CloseHandle(done);
  }
};

DWORD WINAPI ExchangeThread(LPVOID param) {
  std::unique_ptr<std::shared_ptr<PendingExchange>> holder(static_cast<std::shared_ptr<PendingExchange>*>(param));
  PendingExchange& pending = **holder;
  pending.answer = Exchange(pending.url, pending.limits);
  ::SetEvent(pending.done);
  return 0;
}

}  // namespace

HttpAnswer HttpGet(const std::wstring& url, const HttpLimits& limits) {
  // Not every HTTP client keeps its time-outs while it waits for a server
  // that accepted the connection and never answers, so the exchange runs on
  // its own thread and the caller waits no longer than the overall limit. A
  // late exchange keeps its own state alive and ends by itself.
  auto pending = std::make_shared<PendingExchange>();
  pending->url = url;
  pending->limits = limits;
  pending->done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (pending->done == nullptr) return Exchange(url, limits);
  auto* holder = new std::shared_ptr<PendingExchange>(pending);
  HANDLE thread = ::CreateThread(nullptr, 0, &ExchangeThread, holder, 0, nullptr);
  if (thread == nullptr) {
    delete holder;
    return Exchange(url, limits);
  }
  ::CloseHandle(thread);
  if (::WaitForSingleObject(pending->done, limits.totalMs) != WAIT_OBJECT_0) {
    HttpAnswer late;
    late.status = HttpStatus::TooSlow;
    return late;
  }
  return pending->answer;
}

}  // namespace qz
