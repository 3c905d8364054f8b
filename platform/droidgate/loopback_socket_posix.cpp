#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/droidgate/loopback_socket.h"

namespace cdv::adb {
namespace {

class SocketStream final : public ByteStream {
 public:
  explicit SocketStream(int fd) : fd_(fd) {}
  ~SocketStream() override { ::close(fd_); }
  SocketStream(const SocketStream&) = delete;
  SocketStream& operator=(const SocketStream&) = delete;

  std::ptrdiff_t ReadSome(void* buffer, std::size_t capacity) override {
    for (;;) {
      const ssize_t got = ::recv(fd_, buffer, capacity, 0);
      if (got >= 0) return got;
      if (errno != EINTR) return -1;
    }
  }

  bool WriteAll(const void* data, std::size_t length) override {
    const char* p = static_cast<const char*>(data);
    while (length > 0) {
      const ssize_t sent = ::send(fd_, p, length, MSG_NOSIGNAL);
      if (sent < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      p += sent;
      length -= static_cast<std::size_t>(sent);
    }
    return true;
  }

 private:
  int fd_;
};

sockaddr_in LoopbackAddress(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// Small request/reply packets: without this, Nagle and delayed ACKs stall each round trip.
void DisableNagle(int fd) {
  int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

class PosixListener final : public LoopbackListener {
 public:
  PosixListener(int fd, std::uint16_t port) : fd_(fd), port_(port) {}
  ~PosixListener() override { ::close(fd_); }
  PosixListener(const PosixListener&) = delete;
  PosixListener& operator=(const PosixListener&) = delete;

  std::uint16_t Port() const override { return port_; }

  std::unique_ptr<ByteStream> Accept() override {
    for (;;) {
      const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0) {
        DisableNagle(fd);
        return std::make_unique<SocketStream>(fd);
      }
      if (errno != EINTR && errno != ECONNABORTED) return nullptr;
    }
  }

 private:
  int fd_;
  std::uint16_t port_;
};

}  // namespace

ConnectResult ConnectLoopback(std::uint16_t port) {
  ConnectResult result;
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    result.error = std::strerror(errno);
    return result;
  }
  const sockaddr_in address = LoopbackAddress(port);
  int rc;
  do {
    rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    result.outcome = errno == ECONNREFUSED ? ConnectOutcome::kRefused : ConnectOutcome::kFailed;
    result.error = std::strerror(errno);
    ::close(fd);
    return result;
  }
  DisableNagle(fd);
  result.outcome = ConnectOutcome::kConnected;
  result.stream = std::make_unique<SocketStream>(fd);
  return result;
}

std::unique_ptr<LoopbackListener> ListenLoopback(std::uint16_t port, std::string* error) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    *error = std::strerror(errno);
    return nullptr;
  }
  int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address = LoopbackAddress(port);
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    *error = std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixListener>(fd, ntohs(address.sin_port));
}

}  // namespace cdv::adb
