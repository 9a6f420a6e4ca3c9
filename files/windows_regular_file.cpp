#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "files/regular_file.h"

namespace zm48d {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) _close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

RegularFileBytes Refused(ReadRefusal refusal, int error = 0) { return {refusal, error, {}}; }

}  // namespace

// Windows has no FIFO a name could block on; a device (CON, NUL, a COM port)
// opens at once and is refused by the check on the open file.
RegularFileBytes ReadRegularFile(const std::string& path, std::uintmax_t limit) {
  const Descriptor fd(_open(path.c_str(), _O_RDONLY | _O_BINARY));
  if (fd.get() < 0) return Refused(ReadRefusal::kSystemError, errno);
  struct _stat64 info {};
  if (_fstat64(fd.get(), &info) != 0) return Refused(ReadRefusal::kSystemError, errno);
  if ((info.st_mode & _S_IFMT) != _S_IFREG) return Refused(ReadRefusal::kNotRegular);
  if (static_cast<std::uintmax_t>(info.st_size) > limit) return Refused(ReadRefusal::kTooLarge);

  RegularFileBytes file;
  char buffer[8192];
  for (;;) {
    const int got = _read(fd.get(), buffer, sizeof buffer);
    if (got == 0) return file;
    if (got < 0) return Refused(ReadRefusal::kSystemError, errno);
    if (file.bytes.size() + static_cast<std::size_t>(got) > limit) {
      return Refused(ReadRefusal::kTooLarge);
    }
    file.bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace zm48d
