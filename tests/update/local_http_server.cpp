#include "tests/update/local_http_server.h"

#include <ws2tcpip.h>

namespace updtest {
namespace {

struct WinsockUser {
  WinsockUser() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
};

std::string ReadRequestHead(SOCKET client) {
  std::string head;
  char buffer[1024];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16384) {
    const int got = recv(client, buffer, sizeof(buffer), 0);
    if (got <= 0) break;
    head.append(buffer, static_cast<size_t>(got));
  }
  return head;
}

void SendAll(SOCKET s, const std::string& data) {
  size_t sent = 0;
  while (sent < data.size()) {
    const int n = send(s, data.data() + sent, static_cast<int>(data.size() - sent), 0);
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
}

}  // namespace

LocalHttpServer::LocalHttpServer(Behaviour behaviour, int status, std::string body)
    : behaviour_(behaviour), status_(status), body_(std::move(body)) {
  static WinsockUser winsock;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener_ == INVALID_SOCKET) return;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int length = sizeof(address);
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return;
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  for (SOCKET s : open_) closesocket(s);
}

std::wstring LocalHttpServer::Url(const std::wstring& path) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
}

std::vector<std::string> LocalHttpServer::Paths() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return paths_;
}

void LocalHttpServer::Serve() {
  while (!stopping_) {
    // A closed listener does not wake a blocked accept everywhere: poll.
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener_, &ready);
    timeval wait{0, 100 * 1000};
    const int n = select(0, &ready, nullptr, nullptr, &wait);
    if (n < 0) return;
    if (n == 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      open_.push_back(client);
    }
    Handle(client);
  }
}

void LocalHttpServer::Handle(SOCKET client) {
  const std::string head = ReadRequestHead(client);
  const size_t firstBlank = head.find(' ');
  const size_t secondBlank = firstBlank == std::string::npos ? std::string::npos : head.find(' ', firstBlank + 1);
  if (secondBlank != std::string::npos) {
    std::lock_guard<std::mutex> lock(mutex_);
    paths_.push_back(head.substr(firstBlank + 1, secondBlank - firstBlank - 1));
  }
  switch (behaviour_) {
    case Behaviour::Silent:
      return;  // the socket stays open until the server ends
    case Behaviour::Answer: {
      std::string reply = "HTTP/1.1 " + std::to_string(status_) + " Status\r\nContent-Type: text/plain\r\n" +
                          "Content-Length: " + std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_;
      SendAll(client, reply);
      shutdown(client, SD_SEND);
      return;
    }
    case Behaviour::Trickle: {
      SendAll(client, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body_.size()) +
                          "\r\nConnection: close\r\n\r\n");
      for (char c : body_) {
        if (stopping_) return;
        Sleep(300);
        SendAll(client, std::string(1, c));
      }
      return;
    }
  }
}

}  // namespace updtest
