#include "bench/delay_relay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace zm48d::bench {

namespace {

sockaddr_in Address(const std::string& host, std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
    throw std::invalid_argument("not an IPv4 address: " + host);
  }
  return address;
}

// Chunks go out as soon as they are due, not gathered by Nagle.
void NoDelay(int fd) {
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool SendAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

DelayRelay::DelayRelay(std::string targetHost, std::uint16_t targetPort, int delayMs)
    : targetHost_(std::move(targetHost)), targetPort_(targetPort), delay_(delayMs) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Address("127.0.0.1", 0);
  socklen_t size = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
      ::listen(listener_, 4) != 0 || ::pipe2(wake_, O_CLOEXEC) != 0) {
    throw std::runtime_error("the relay cannot listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

DelayRelay::~DelayRelay() {
  (void)!::write(wake_[1], "x", 1);
  thread_.join();
  Drop();
  for (const int fd : {listener_, wake_[0], wake_[1]}) ::close(fd);
}

void DelayRelay::Serve() {
  for (;;) {
    // While a client is served, further ones wait in the listen queue. Once
    // either side has closed, what is held still goes out, then both close.
    const bool serving = up_.from >= 0;
    const bool ending = up_.ended || down_.ended;
    pollfd polled[] = {{wake_[0], POLLIN, 0},
                       {serving ? -1 : listener_, POLLIN, 0},
                       {ending ? -1 : up_.from, POLLIN, 0},
                       {ending ? -1 : down_.from, POLLIN, 0}};
    if (::poll(polled, 4, WaitMs()) < 0 || polled[0].revents != 0) return;
    if (polled[1].revents != 0) Accept();
    if (polled[2].revents != 0) Take(up_);
    if (polled[3].revents != 0) Take(down_);
    const bool passed = PassDue(up_) && PassDue(down_);
    const bool drained = up_.held.empty() && down_.held.empty();
    if (!passed || ((up_.ended || down_.ended) && drained)) Drop();
  }
}

void DelayRelay::Accept() {
  const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (client < 0) return;
  const int target = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in address = Address(targetHost_, targetPort_);
  if (target < 0 ||
      ::connect(target, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    // The target refuses: so does the relay, by closing at once.
    if (target >= 0) ::close(target);
    ::close(client);
    return;
  }
  NoDelay(client);
  NoDelay(target);
  up_ = {client, target, {}};
  down_ = {target, client, {}};
}

void DelayRelay::Take(Direction& way) {
  std::vector<std::uint8_t> bytes(4096);
  const ssize_t n = ::recv(way.from, bytes.data(), bytes.size(), 0);
  if (n <= 0) {
    way.ended = true;
    return;
  }
  bytes.resize(static_cast<std::size_t>(n));
  way.held.push_back({Clock::now() + delay_, std::move(bytes)});
}

bool DelayRelay::PassDue(Direction& way) {
  while (!way.held.empty() && way.held.front().due <= Clock::now()) {
    if (!SendAll(way.to, way.held.front().bytes)) return false;
    way.held.pop_front();
  }
  return true;
}

void DelayRelay::Drop() {
  if (up_.from >= 0) ::close(up_.from);
  if (down_.from >= 0) ::close(down_.from);
  up_ = {};
  down_ = {};
}

int DelayRelay::WaitMs() const {
  auto next = Clock::time_point::max();
  for (const Direction* way : {&up_, &down_}) {
    if (!way->held.empty()) next = std::min(next, way->held.front().due);
  }
  if (next == Clock::time_point::max()) return -1;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now());
  return static_cast<int>(std::max<long long>(0, wait.count()));
}

}  // namespace zm48d::bench
