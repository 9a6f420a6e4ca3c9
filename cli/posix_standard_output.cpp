#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <system_error>

#include "cli/standard_output.h"

namespace zm48d::cli {

namespace {

ops::Keeping Failed(int error) {
  return {false, "standard output: " + std::generic_category().message(error)};
}

bool WriteAll(int fd, std::string_view bytes, int& error) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A pipe or a terminal has no disk to reach; a file does.
bool SyncIfFile(int fd, int& error) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return true;
  if (::fsync(fd) == 0) return true;
  error = errno;
  return false;
}

// Closes the output, reporting what the close reports (a network file system
// may say only now that the data did not arrive), and puts /dev/null in its place.
bool CloseOutput(int fd, int& error) {
  const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  const bool closed = ::close(fd) == 0 || errno == EINTR;
  if (!closed) error = errno;
  if (nowhere >= 0) {
    ::dup2(nowhere, fd);
    ::close(nowhere);
  }
  return closed;
}

}  // namespace

ops::Keeping WriteAndCloseStandardOutput(std::string_view bytes) {
  std::cout.flush();
  if (!std::cout || std::fflush(stdout) != 0) return Failed(errno != 0 ? errno : EIO);
  int error = 0;
  if (!WriteAll(STDOUT_FILENO, bytes, error) || !SyncIfFile(STDOUT_FILENO, error) ||
      !CloseOutput(STDOUT_FILENO, error)) {
    return Failed(error);
  }
  return {true, {}};
}

}  // namespace zm48d::cli
