#include "link/device_holders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(__linux__)
#include <unistd.h>
#endif

namespace zm48d {

#if defined(__linux__)

namespace {

namespace fs = std::filesystem;

// Each open file of a process is a symbolic link in /proc/<pid>/fd to what it holds.
bool Holds(const fs::path& process, const fs::path& device) {
  std::error_code error;
  for (fs::directory_iterator fd(process / "fd", error), end; !error && fd != end;
       fd.increment(error)) {
    std::error_code unreadable;
    if (fs::read_symlink(fd->path(), unreadable) == device) return true;
  }
  return false;
}

std::string ProgramName(const fs::path& process) {
  std::ifstream comm(process / "comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

int ProcessId(const fs::path& process) {
  const std::string name = process.filename().string();
  const bool digits =
      !name.empty() && name.size() < 10 &&
      std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits ? std::stoi(name) : 0;
}

}  // namespace

std::vector<HoldingProgram> ProgramsHolding(const std::string& path) {
  std::error_code error;
  const fs::path device = fs::canonical(path, error);  // what the fd links name: no symlinks
  if (error) return {};
  std::vector<HoldingProgram> holders;
  const int self = static_cast<int>(::getpid());
  for (fs::directory_iterator process("/proc", error), end; !error && process != end;
       process.increment(error)) {
    const int pid = ProcessId(process->path());
    if (pid == 0 || pid == self || !Holds(process->path(), device)) continue;
    holders.push_back({pid, ProgramName(process->path())});
  }
  std::sort(holders.begin(), holders.end(),
            [](const HoldingProgram& a, const HoldingProgram& b) { return a.pid < b.pid; });
  return holders;
}

#else

// Windows and systems without /proc do not say who holds a device.
std::vector<HoldingProgram> ProgramsHolding(const std::string&) { return {}; }

#endif

}  // namespace zm48d
