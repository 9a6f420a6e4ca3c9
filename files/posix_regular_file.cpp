#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

RegularFileBytes Refused(ReadRefusal refusal, int error = 0) { return {refusal, error, {}}; }

}  // namespace

// O_NONBLOCK: a FIFO opens at once instead of waiting for a writer; O_NOCTTY:
// a terminal named by mistake does not become the controlling one.
RegularFileBytes ReadRegularFile(const std::string& path, std::uintmax_t limit) {
  const Descriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return Refused(ReadRefusal::kSystemError, errno);
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) return Refused(ReadRefusal::kSystemError, errno);
  if (!S_ISREG(info.st_mode)) return Refused(ReadRefusal::kNotRegular);
  if (static_cast<std::uintmax_t>(info.st_size) > limit) return Refused(ReadRefusal::kTooLarge);

  RegularFileBytes file;
  char buffer[8192];
  for (;;) {
    const ssize_t got = read(fd.get(), buffer, sizeof buffer);
    if (got == 0) return file;
    if (got < 0) {
      if (errno == EINTR) continue;
      return Refused(ReadRefusal::kSystemError, errno);
    }
    if (file.bytes.size() + static_cast<std::size_t>(got) > limit) {
      return Refused(ReadRefusal::kTooLarge);
    }
    file.bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace zm48d
