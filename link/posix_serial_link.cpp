#include "link/posix_serial_link.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "link/line_bounds.h"

namespace zm48d {

namespace {

using Clock = LineClock;
using std::chrono::milliseconds;

speed_t SpeedFor(std::uint32_t baudRate) {
  switch (baudRate) {
    case 9600: return B9600;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B19200;
  }
}

// 8 data bits, no parity, 1 stop bit, raw, no flow control.
bool ApplyLineSettings(int fd, std::uint32_t baudRate) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, SpeedFor(baudRate));
  cfsetospeed(&tio, SpeedFor(baudRate));
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

// DTR and RTS held off. A pseudo-terminal has no modem lines (ENOTTY): not an error.
void DropModemLines(int fd) {
  int lines = TIOCM_DTR | TIOCM_RTS;
  (void)ioctl(fd, TIOCMBIC, &lines);
}

// Exclusive use: TIOCEXCL refuses other opens (except root's), flock refuses root too.
bool TakeExclusiveUse(int fd) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return false;
  (void)ioctl(fd, TIOCEXCL);
  return true;
}

// What an open() error means for a serial line.
OpenFailure::Problem ProblemOf(int error) {
  using Problem = OpenFailure::Problem;
  switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV: return Problem::kMissing;
    case EACCES:
    case EPERM: return Problem::kNoPermission;
    case EBUSY: return Problem::kInUse;
    case EISDIR:
    case ENOTTY: return Problem::kNotATerminal;
    default: return Problem::kOther;
  }
}

}  // namespace

std::string ComDevicePath(int portNumber) {
  const std::string variable = "ZM48D_COM" + std::to_string(portNumber);
  if (const char* path = std::getenv(variable.c_str()); path != nullptr && *path != '\0') {
    return path;
  }
  return "/dev/ttyS" + std::to_string(portNumber - 1);
}

PosixSerialLink::PosixSerialLink(DevicePathResolver resolver) : resolver_(std::move(resolver)) {}

PosixSerialLink::~PosixSerialLink() {
  if (fd_ >= 0) CloseDevice();
}

bool PosixSerialLink::OpenDevice(int portNumber, std::uint32_t baudRate) {
  if (fd_ >= 0) CloseDevice();
  const std::string path = resolver_(portNumber);
  int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Failed(path, errno);
  int refused = 0;
  if (!isatty(fd)) {
    refused = ENOTTY;
  } else if (!TakeExclusiveUse(fd)) {
    refused = EBUSY;  // another program's lock: a busy device, not flock's EWOULDBLOCK
  }
  if (refused != 0) {
    ::close(fd);
    return Failed(path, refused);
  }
  // As on the controller's original platform, the results of the settings calls
  // do not decide the open; a device that takes no settings still counts as open.
  (void)ApplyLineSettings(fd, baudRate);
  DropModemLines(fd);
  fd_ = fd;
  return true;
}

bool PosixSerialLink::Failed(const std::string& path, int error) {
  lastFailure_ = {path, error, ProblemOf(error), {}};
  return false;
}

void PosixSerialLink::CloseDevice() {
  if (fd_ < 0) return;
  tcflush(fd_, TCIOFLUSH);
  // TIOCEXCL outlives this descriptor while another one holds the line open (an
  // emulator keeps its pty's terminal side open): give it up, or the next open of
  // an ordinary user fails with EBUSY.
  (void)ioctl(fd_, TIOCNXCL);
  ::close(fd_);  // also drops the flock
  fd_ = -1;
}

bool PosixSerialLink::Write(const std::uint8_t* block, int size, int& written) {
  written = 0;
  if (fd_ < 0) return false;
  const auto deadline = TotalDeadline(size);
  while (written < size) {
    ssize_t n = ::write(fd_, block + written, static_cast<size_t>(size - written));
    if (n > 0) {
      written += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return false;
    pollfd p{fd_, POLLOUT, 0};
    int wait = MillisecondsUntil(deadline);
    if (wait == 0) return false;
    int ready = ::poll(&p, 1, IdleSlice(wait));
    if (ready < 0 && errno != EINTR) return false;
    if (ready == 0) Idle();
    if (ready > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return false;
  }
  return true;
}

bool PosixSerialLink::Read(int size, std::uint8_t* buffer, int& read) {
  read = 0;
  if (fd_ < 0) return false;
  const auto total = TotalDeadline(size);
  auto interval = Clock::time_point::max();
  while (read < size) {
    int wait = MillisecondsUntil(std::min(total, interval));
    if (wait == 0) return false;
    pollfd p{fd_, POLLIN, 0};
    int ready = ::poll(&p, 1, IdleSlice(wait));
    if (ready < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (ready == 0) {  // the deadline check above ends the read
      Idle();
      continue;
    }
    if (p.revents & (POLLERR | POLLNVAL)) return false;
    ssize_t n = ::read(fd_, buffer + read, static_cast<size_t>(size - read));
    if (n > 0) {
      read += static_cast<int>(n);
      interval = Clock::now() + milliseconds(kIntervalTimeoutMs);
    } else if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
      return false;  // the other side hung up: fail at once rather than spin
    }
  }
  return true;
}

void PosixSerialLink::Purge(unsigned flags) {
  if (fd_ < 0) return;
  const bool rx = (flags & kPurgeRxClear) != 0;
  const bool tx = (flags & kPurgeTxClear) != 0;
  if (rx && tx)
    tcflush(fd_, TCIOFLUSH);
  else if (rx)
    tcflush(fd_, TCIFLUSH);
  else if (tx)
    tcflush(fd_, TCOFLUSH);
}

}  // namespace zm48d
