#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "cli/standard_output.h"

namespace zm48d::cli {

namespace {

constexpr int kStandardOutput = 1;

ops::Keeping Failed(int error) {
  return {false, std::string("standard output: ") + std::strerror(error)};
}

// In text mode the runtime turns each LF into CR LF, as the rest of the
// program's output has it.
bool WriteAll(std::string_view bytes, int& error) {
  while (!bytes.empty()) {
    const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 20));
    const int n = _write(kStandardOutput, bytes.data(), chunk);
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool SyncIfFile(int& error) {
  struct _stat64 status {};
  if (_fstat64(kStandardOutput, &status) != 0 || (status.st_mode & _S_IFREG) == 0) return true;
  if (_commit(kStandardOutput) == 0) return true;
  error = errno;
  return false;
}

bool CloseOutput(int& error) {
  const int nowhere = _open("NUL", _O_WRONLY);
  const bool closed = _close(kStandardOutput) == 0;
  if (!closed) error = errno;
  if (nowhere >= 0) {
    _dup2(nowhere, kStandardOutput);
    _close(nowhere);
  }
  return closed;
}

}  // namespace

ops::Keeping WriteAndCloseStandardOutput(std::string_view bytes) {
  std::cout.flush();
  if (!std::cout || std::fflush(stdout) != 0) return Failed(errno != 0 ? errno : EIO);
  int error = 0;
  if (!WriteAll(bytes, error) || !SyncIfFile(error) || !CloseOutput(error)) return Failed(error);
  return {true, {}};
}

}  // namespace zm48d::cli
