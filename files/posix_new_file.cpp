#include "files/new_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace zm48d {

// "x": O_EXCL, as C11 gives it.
std::FILE* CreateNewFile(const std::string& path) { return std::fopen(path.c_str(), "wbx"); }

bool KeepModeOf(const std::string& replaced, std::FILE* file) {
  struct stat info {};
  if (stat(replaced.c_str(), &info) != 0) return errno == ENOENT;
  return fchmod(fileno(file), info.st_mode & 07777) == 0;
}

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

}  // namespace zm48d
