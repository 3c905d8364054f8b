#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/droidgate/loopback_socket.h"
#include "platform/droidgate/windows_text.h"

namespace cdv::adb {
namespace {

bool WinsockReady() {
  static const bool ready = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return ready;
}

class SocketStream final : public ByteStream {
 public:
  explicit SocketStream(SOCKET s) : socket_(s) {}
  ~SocketStream() override { closesocket(socket_); }
  SocketStream(const SocketStream&) = delete;
  SocketStream& operator=(const SocketStream&) = delete;

  std::ptrdiff_t ReadSome(void* buffer, std::size_t capacity) override {
    const int want = capacity > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(capacity);
    const int got = recv(socket_, static_cast<char*>(buffer), want, 0);
    return got == SOCKET_ERROR ? -1 : got;
  }

  bool WriteAll(const void* data, std::size_t length) override {
    const char* p = static_cast<const char*>(data);
    while (length > 0) {
      const int chunk = length > 0x100000 ? 0x100000 : static_cast<int>(length);
      const int sent = send(socket_, p, chunk, 0);
      if (sent == SOCKET_ERROR) return false;
      p += sent;
      length -= static_cast<std::size_t>(sent);
    }
    return true;
  }

 private:
  SOCKET socket_;
};

sockaddr_in LoopbackAddress(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// Small request/reply packets: without this, Nagle and delayed ACKs stall each round trip.
void DisableNagle(SOCKET s) {
  BOOL on = TRUE;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

// Sockets must not leak into the adb server this relay may start.
SOCKET NewSocket() {
  return WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
}

class WinsockListener final : public LoopbackListener {
 public:
  WinsockListener(SOCKET s, std::uint16_t port) : socket_(s), port_(port) {}
  ~WinsockListener() override { closesocket(socket_); }
  WinsockListener(const WinsockListener&) = delete;
  WinsockListener& operator=(const WinsockListener&) = delete;

  std::uint16_t Port() const override { return port_; }

  std::unique_ptr<ByteStream> Accept() override {
    for (;;) {
      const SOCKET s = accept(socket_, nullptr, nullptr);
      if (s != INVALID_SOCKET) {
        SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
        DisableNagle(s);
        return std::make_unique<SocketStream>(s);
      }
      if (WSAGetLastError() != WSAECONNRESET) return nullptr;
    }
  }

 private:
  SOCKET socket_;
  std::uint16_t port_;
};

}  // namespace

ConnectResult ConnectLoopback(std::uint16_t port) {
  ConnectResult result;
  if (!WinsockReady()) {
    result.error = "Winsock cannot start";
    return result;
  }
  const SOCKET s = NewSocket();
  if (s == INVALID_SOCKET) {
    result.error = WindowsErrorText(static_cast<unsigned long>(WSAGetLastError()));
    return result;
  }
  const sockaddr_in address = LoopbackAddress(port);
  if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
    const int code = WSAGetLastError();
    result.outcome = code == WSAECONNREFUSED ? ConnectOutcome::kRefused : ConnectOutcome::kFailed;
    result.error = code == WSAECONNREFUSED ? std::string("Connection refused")
                                           : WindowsErrorText(static_cast<unsigned long>(code));
    closesocket(s);
    return result;
  }
  DisableNagle(s);
  result.outcome = ConnectOutcome::kConnected;
  result.stream = std::make_unique<SocketStream>(s);
  return result;
}

std::unique_ptr<LoopbackListener> ListenLoopback(std::uint16_t port, std::string* error) {
  if (!WinsockReady()) {
    *error = "Winsock cannot start";
    return nullptr;
  }
  const SOCKET s = NewSocket();
  if (s == INVALID_SOCKET) {
    *error = WindowsErrorText(static_cast<unsigned long>(WSAGetLastError()));
    return nullptr;
  }
  sockaddr_in address = LoopbackAddress(port);
  int length = sizeof address;
  if (bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR ||
      listen(s, 16) == SOCKET_ERROR ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == SOCKET_ERROR) {
    *error = WindowsErrorText(static_cast<unsigned long>(WSAGetLastError()));
    closesocket(s);
    return nullptr;
  }
  return std::make_unique<WinsockListener>(s, ntohs(address.sin_port));
}

}  // namespace cdv::adb
