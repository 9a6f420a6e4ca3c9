#include <cstdio>
#include <string>

#include "files/new_file.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace zm48d {

// The C runtime that MinGW links (msvcrt) ignores fopen's "x" and opens an
// existing file all the same, so the exclusive create goes through _open.
std::FILE* CreateNewFile(const std::string& path) {
  const int fd =
      _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = _fdopen(fd, "wb");
  if (file == nullptr) _close(fd);
  return file;
}

// The only mode bit Windows keeps is read-only, and a read-only file cannot be
// replaced by a rename at all: there is nothing to carry over.
bool KeepModeOf(const std::string& replaced, std::FILE* file) {
  (void)replaced;
  (void)file;
  return true;
}

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && _commit(_fileno(file)) == 0; }

}  // namespace zm48d
