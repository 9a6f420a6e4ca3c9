#include "tests/support/raw_peer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace zm48d::testing {

RawPeer::RawPeer() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    throw std::runtime_error("no pseudo-terminal");
  }
  path_ = ptsname(master_);
  slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios tio{};
  tcgetattr(slave_, &tio);
  cfmakeraw(&tio);
  tcsetattr(slave_, TCSANOW, &tio);
}

RawPeer::~RawPeer() {
  ::close(slave_);
  ::close(master_);
}

void RawPeer::Send(const std::vector<std::uint8_t>& bytes) {
  (void)!::write(master_, bytes.data(), bytes.size());
}

std::vector<std::uint8_t> RawPeer::Receive(int waitMs) {
  std::vector<std::uint8_t> out;
  pollfd p{master_, POLLIN, 0};
  while (::poll(&p, 1, out.empty() ? waitMs : 20) > 0) {
    std::uint8_t buffer[512];
    ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    out.insert(out.end(), buffer, buffer + n);
  }
  return out;
}

}  // namespace zm48d::testing
