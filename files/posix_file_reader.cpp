#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "files/file_reader.h"

namespace zm48d {

// O_NONBLOCK: a FIFO opens at once instead of waiting for a writer; O_NOCTTY:
// a terminal named by mistake does not become the controlling one.
FileReader::FileReader(const std::string& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {}

FileReader::~FileReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileReader::Inspect(bool& regular, std::uintmax_t& size) const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return false;
  regular = S_ISREG(info.st_mode);
  size = static_cast<std::uintmax_t>(info.st_size);
  return true;
}

long FileReader::Read(char* buffer, unsigned size) const {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0 || errno != EINTR) return static_cast<long>(got);
  }
}

}  // namespace zm48d
