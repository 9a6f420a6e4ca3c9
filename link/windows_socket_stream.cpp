#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <system_error>

#include "link/line_bounds.h"
#include "link/socket_stream.h"

namespace zm48d {

namespace {

using Clock = LineClock;

// Winsock is started once for the program and left running: a WSACleanup per
// connection would cost a start each time for nothing.
bool WinsockStarted() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

struct AddressListDeleter {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListDeleter>;

bool WouldBlock(int error) { return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS; }

// Waits for `events` on `s` up to `ms`: >0 ready, 0 timed out, -1 failed with
// `error` set.
int WaitFor(SOCKET s, short events, int ms, int& error) {
  WSAPOLLFD p{s, events, 0};
  const int ready = WSAPoll(&p, 1, ms);
  if (ready < 0) {
    error = WSAGetLastError();
    return -1;
  }
  return ready;
}

// One attempt at one address; the socket on success, INVALID_SOCKET with `error` set.
SOCKET ConnectOne(const addrinfo& address, Clock::time_point deadline, int& error) {
  const SOCKET s = ::socket(address.ai_family, address.ai_socktype, address.ai_protocol);
  if (s == INVALID_SOCKET) {
    error = WSAGetLastError();
    return INVALID_SOCKET;
  }
  u_long nonBlocking = 1;
  (void)ioctlsocket(s, FIONBIO, &nonBlocking);
  if (::connect(s, address.ai_addr, static_cast<int>(address.ai_addrlen)) != 0 &&
      !WouldBlock(WSAGetLastError())) {
    error = WSAGetLastError();
    closesocket(s);
    return INVALID_SOCKET;
  }
  // A refused connection shows as POLLERR (or POLLHUP) here, its code in SO_ERROR.
  WSAPOLLFD p{s, POLLOUT, 0};
  const int ready = WSAPoll(&p, 1, MillisecondsUntil(deadline));
  int length = sizeof(error);
  error = 0;
  if (ready <= 0) {
    error = ready == 0 ? 0 : WSAGetLastError();
  } else if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0) {
    error = WSAGetLastError();
  } else if (error == 0 && (p.revents & (POLLERR | POLLHUP)) != 0) {
    error = WSAECONNREFUSED;
  }
  if (ready <= 0 || error != 0) {
    closesocket(s);
    return INVALID_SOCKET;
  }
  // Frames are small and each waits for its answer: no coalescing delay.
  const BOOL on = TRUE;
  (void)setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof(on));
  return s;
}

}  // namespace

bool SocketStream::Connect(const std::string& host, std::uint16_t port, int timeoutMs, int& error,
                           std::string& unresolved) {
  Close();
  if (!WinsockStarted()) {
    error = WSAGetLastError();
    return false;
  }
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (const int status = getaddrinfo(host.c_str(), service.c_str(), &hints, &found); status != 0) {
    error = status;  // a WSA code
    unresolved = std::system_category().message(status);
    return false;
  }
  const AddressList addresses(found);
  error = 0;
  for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
    if (MillisecondsUntil(deadline) == 0) break;
    if (const SOCKET s = ConnectOne(*address, deadline, error); s != INVALID_SOCKET) {
      handle_ = static_cast<Handle>(s);
      lastError_ = 0;
      return true;
    }
  }
  return false;
}

void SocketStream::Close() {
  if (handle_ == kNone) return;
  closesocket(static_cast<SOCKET>(handle_));
  handle_ = kNone;
}

int SocketStream::Send(const std::uint8_t* data, int size, int waitMs) {
  const auto s = static_cast<SOCKET>(handle_);
  for (;;) {
    const int sent = ::send(s, reinterpret_cast<const char*>(data), size, 0);
    if (sent != SOCKET_ERROR) return sent;
    if (!WouldBlock(WSAGetLastError())) {
      lastError_ = WSAGetLastError();
      return -1;
    }
    const int ready = WaitFor(s, POLLOUT, waitMs, lastError_);
    if (ready <= 0) return ready;
    waitMs = 0;  // ready now: one more try, then the caller's clock decides
  }
}

int SocketStream::Receive(std::uint8_t* buffer, int capacity, int waitMs) {
  const auto s = static_cast<SOCKET>(handle_);
  const int ready = WaitFor(s, POLLIN, waitMs, lastError_);
  if (ready <= 0) return ready;
  const int got = ::recv(s, reinterpret_cast<char*>(buffer), capacity, 0);
  if (got > 0) return got;
  if (got == 0) {
    lastError_ = 0;  // the server closed the connection
    return -1;
  }
  if (WouldBlock(WSAGetLastError())) return 0;
  lastError_ = WSAGetLastError();
  return -1;
}

}  // namespace zm48d
