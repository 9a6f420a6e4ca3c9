#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "cli/output_descriptor.h"

namespace zm48d::cli {

long WriteSomeToOutput(std::string_view bytes) {
  for (;;) {
    const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (n >= 0 || errno != EINTR) return static_cast<long>(n);
  }
}

bool SyncOutputIfFile(int& error) {
  struct stat status {};
  if (::fstat(STDOUT_FILENO, &status) != 0 || !S_ISREG(status.st_mode)) return true;
  if (::fsync(STDOUT_FILENO) == 0) return true;
  error = errno;
  return false;
}

bool CloseOutput(int& error) {
  const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  // After EINTR the descriptor is closed all the same on Linux.
  const bool closed = ::close(STDOUT_FILENO) == 0 || errno == EINTR;
  if (!closed) error = errno;
  if (nowhere >= 0) {
    ::dup2(nowhere, STDOUT_FILENO);
    ::close(nowhere);
  }
  return closed;
}

}  // namespace zm48d::cli
