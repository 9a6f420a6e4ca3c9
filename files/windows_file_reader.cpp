#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "files/file_reader.h"

namespace zm48d {

// Windows has no FIFO a name could block on; a device (CON, NUL, a COM port)
// opens at once and is refused by the check on the open file.
FileReader::FileReader(const std::string& path) : fd_(_open(path.c_str(), _O_RDONLY | _O_BINARY)) {}

FileReader::~FileReader() {
  if (fd_ >= 0) _close(fd_);
}

bool FileReader::Inspect(bool& regular, std::uintmax_t& size) const {
  struct _stat64 info {};
  if (_fstat64(fd_, &info) != 0) return false;
  regular = (info.st_mode & _S_IFMT) == _S_IFREG;
  size = static_cast<std::uintmax_t>(info.st_size);
  return true;
}

long FileReader::Read(char* buffer, unsigned size) const { return _read(fd_, buffer, size); }

}  // namespace zm48d
