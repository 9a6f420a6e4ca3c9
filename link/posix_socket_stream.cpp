#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "link/line_bounds.h"
#include "link/socket_stream.h"

namespace zm48d {

namespace {

using Clock = LineClock;

struct AddressListDeleter {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListDeleter>;

// Waits for `events` on `fd` up to `ms`: >0 ready, 0 timed out, -1 failed.
int WaitFor(int fd, short events, int ms) {
  pollfd p{fd, events, 0};
  for (;;) {
    const int ready = ::poll(&p, 1, ms);
    if (ready < 0 && errno == EINTR) continue;
    return ready;
  }
}

// One attempt at one address; the socket on success, -1 with `error` set.
int ConnectOne(const addrinfo& address, Clock::time_point deadline, int& error) {
  const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          address.ai_protocol);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0 && errno != EINPROGRESS) {
    error = errno;
    ::close(fd);
    return -1;
  }
  const int ready = WaitFor(fd, POLLOUT, MillisecondsUntil(deadline));
  socklen_t length = sizeof(error);
  if (ready <= 0) {
    error = ready == 0 ? 0 : errno;
  } else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
    error = errno;
  }
  if (ready <= 0 || error != 0) {
    ::close(fd);
    return -1;
  }
  // Frames are small and each waits for its answer: no coalescing delay.
  const int on = 1;
  (void)::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
  return fd;
}

}  // namespace

bool SocketStream::Connect(const std::string& host, std::uint16_t port, int timeoutMs, int& error,
                           std::string& unresolved) {
  Close();
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
      status != 0) {
    error = status == EAI_SYSTEM ? errno : EHOSTUNREACH;
    unresolved = ::gai_strerror(status);  // its codes are not errno values
    return false;
  }
  const AddressList addresses(found);
  error = 0;
  for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
    if (MillisecondsUntil(deadline) == 0) break;
    if (const int fd = ConnectOne(*address, deadline, error); fd >= 0) {
      handle_ = fd;
      lastError_ = 0;
      return true;
    }
  }
  return false;
}

void SocketStream::Close() {
  if (handle_ == kNone) return;
  ::close(static_cast<int>(handle_));
  handle_ = kNone;
}

int SocketStream::Send(const std::uint8_t* data, int size, int waitMs) {
  const int fd = static_cast<int>(handle_);
  for (;;) {
    const ssize_t sent = ::send(fd, data, static_cast<size_t>(size), MSG_NOSIGNAL);
    if (sent >= 0) return static_cast<int>(sent);
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      lastError_ = errno;
      return -1;
    }
    const int ready = WaitFor(fd, POLLOUT, waitMs);
    if (ready == 0) return 0;
    if (ready < 0) {
      lastError_ = errno;
      return -1;
    }
    waitMs = 0;  // ready now: one more try, then the caller's clock decides
  }
}

int SocketStream::Receive(std::uint8_t* buffer, int capacity, int waitMs) {
  const int fd = static_cast<int>(handle_);
  const int ready = WaitFor(fd, POLLIN, waitMs);
  if (ready == 0) return 0;
  if (ready < 0) {
    lastError_ = errno;
    return -1;
  }
  for (;;) {
    const ssize_t got = ::recv(fd, buffer, static_cast<size_t>(capacity), 0);
    if (got > 0) return static_cast<int>(got);
    if (got == 0) {
      lastError_ = 0;  // the server closed the connection
      return -1;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
    lastError_ = errno;
    return -1;
  }
}

}  // namespace zm48d
