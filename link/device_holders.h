#pragma once
// Which programs hold a device open, so that a port in use can be reported with
// the program to close.
#include <string>
#include <vector>

namespace zm48d {

struct HoldingProgram {
  int pid = 0;
  std::string name;  // the program's short name ("minicom")
};

// The programs other than this one with `path` open, in order of their process
// ids. Empty where the system cannot tell: no /proc, or processes of other users
// that this one may not look into.
std::vector<HoldingProgram> ProgramsHolding(const std::string& path);

}  // namespace zm48d
