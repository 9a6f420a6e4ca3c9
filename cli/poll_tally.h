#pragma once
// How the polls of a watch went. Its outcome is that of the last poll: a watch
// that ends on a failed poll ends with the controller not answering.
#include <cstdint>
#include <ostream>

#include "cli/command.h"

namespace zm48d::cli {

class PollTally {
 public:
  void Count(bool ok) {
    ++polls_;
    if (!ok) ++failed_;
    lastFailed_ = !ok;
  }
  // "watch: F of N polls failed" on `err` when any did; the exit status.
  int Report(std::ostream& err) const {
    if (failed_ > 0) err << "watch: " << failed_ << " of " << polls_ << " polls failed\n";
    return lastFailed_ ? kExitFailure : kExitSuccess;
  }

 private:
  std::uint64_t polls_ = 0;
  std::uint64_t failed_ = 0;
  bool lastFailed_ = false;
};

}  // namespace zm48d::cli
