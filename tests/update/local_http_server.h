#pragma once
// A small HTTP server on 127.0.0.1 for the update-check tests: it answers
// every request the same configured way and remembers the paths asked for.
#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace updtest {

enum class Behaviour {
  Answer,      // status line and body below
  Silent,      // accepts, reads the request, never answers
  Trickle,     // answers 200 and then sends the body one byte every 300 ms
};

class LocalHttpServer {
 public:
  explicit LocalHttpServer(Behaviour behaviour, int status = 200, std::string body = {});
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  bool ok() const { return port_ != 0; }
  // "http://127.0.0.1:<port><path>"
  std::wstring Url(const std::wstring& path) const;
  std::vector<std::string> Paths() const;

 private:
  void Serve();
  void Handle(SOCKET client);

  Behaviour behaviour_;
  int status_;
  std::string body_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> paths_;
  std::vector<SOCKET> open_;
  std::thread thread_;
};

}  // namespace updtest
