#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <string_view>

#include "cli/output_descriptor.h"

namespace zm48d::cli {

namespace {

constexpr int kStandardOutput = 1;
constexpr std::size_t kLargestWrite = 1u << 20;  // _write takes an unsigned count

}  // namespace

// In text mode the runtime turns each LF into CR LF, as the rest of the
// program's output has it.
long WriteSomeToOutput(std::string_view bytes) {
  const auto chunk = static_cast<unsigned>(std::min(bytes.size(), kLargestWrite));
  return _write(kStandardOutput, bytes.data(), chunk);
}

bool SyncOutputIfFile(int& error) {
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

}  // namespace zm48d::cli
