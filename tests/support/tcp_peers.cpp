#include "tests/support/tcp_peers.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <stdexcept>

namespace zm48d::testing {

namespace {

sockaddr_in Loopback(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A socket bound to 127.0.0.1 on a port the system picks; its port in `port`.
int BindAnyLoopbackPort(std::uint16_t& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(0);
  socklen_t size = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    if (fd >= 0) ::close(fd);
    throw std::runtime_error("no free loopback port");
  }
  port = ntohs(address.sin_port);
  return fd;
}

int RemainingMs(std::chrono::steady_clock::time_point end) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

std::uint16_t FreeLoopbackPort() {
  std::uint16_t port = 0;
  ::close(BindAnyLoopbackPort(port));
  return port;
}

TcpClient::TcpClient(std::uint16_t port) {
  socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in address = Loopback(port);
  if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(socket_);
    socket_ = -1;
    return;
  }
  const int on = 1;
  ::setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

TcpClient::~TcpClient() {
  if (socket_ >= 0) ::close(socket_);
}

bool TcpClient::Send(const std::vector<std::uint8_t>& bytes) {
  return Connected() && ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
                            static_cast<ssize_t>(bytes.size());
}

std::vector<std::uint8_t> TcpClient::Receive(std::size_t count, int waitMs) {
  std::vector<std::uint8_t> out;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  pollfd p{socket_, POLLIN, 0};
  while (Connected() && out.size() < count && ::poll(&p, 1, RemainingMs(end)) > 0) {
    std::uint8_t buffer[512];
    const ssize_t n = ::recv(socket_, buffer, std::min(sizeof buffer, count - out.size()), 0);
    if (n <= 0) break;
    out.insert(out.end(), buffer, buffer + n);
  }
  return out;
}

bool TcpClient::ClosedByPeer(int waitMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  pollfd p{socket_, POLLIN, 0};
  while (Connected() && ::poll(&p, 1, RemainingMs(end)) > 0) {
    std::uint8_t buffer[512];
    if (::recv(socket_, buffer, sizeof buffer, 0) <= 0) return true;
  }
  return false;
}

LoopbackServer::LoopbackServer(Answer answer) : answer_(answer) {
  listener_ = BindAnyLoopbackPort(port_);
  if (::listen(listener_, 8) != 0 || ::pipe2(wake_, O_CLOEXEC) != 0) {
    throw std::runtime_error("loopback server cannot listen");
  }
  thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  (void)!::write(wake_[1], "x", 1);
  thread_.join();
  for (const int fd : {listener_, wake_[0], wake_[1]}) ::close(fd);
}

void LoopbackServer::Serve() {
  std::vector<pollfd> polled{{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
  while (::poll(polled.data(), polled.size(), -1) >= 0 && polled[0].revents == 0) {
    for (std::size_t i = 2; i < polled.size(); ++i) {
      if (polled[i].revents == 0) continue;
      std::uint8_t buffer[4096];
      const ssize_t n = ::recv(polled[i].fd, buffer, sizeof buffer, 0);
      if (n <= 0) {
        ::close(polled[i].fd);
        polled[i].fd = -1;  // poll skips it from now on
      } else if (answer_ == Answer::kEcho) {
        (void)!::send(polled[i].fd, buffer, static_cast<std::size_t>(n), MSG_NOSIGNAL);
      }
    }
    if (polled[1].revents != 0) {
      const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client >= 0) {
        const int on = 1;
        ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        ++accepted_;
        polled.push_back({client, POLLIN, 0});
      }
    }
  }
  for (std::size_t i = 2; i < polled.size(); ++i) {
    if (polled[i].fd >= 0) ::close(polled[i].fd);
  }
}

}  // namespace zm48d::testing
