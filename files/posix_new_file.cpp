#include "files/new_file.h"

#include <unistd.h>

namespace zm48d {

// "x": O_EXCL, as C11 gives it.
std::FILE* CreateNewFile(const std::string& path) { return std::fopen(path.c_str(), "wbx"); }

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

}  // namespace zm48d
