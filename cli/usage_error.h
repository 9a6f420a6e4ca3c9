#pragma once
#include <stdexcept>

namespace zm48d::cli {

// A command line that cannot be run as given: exit status 2 with the usage text.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zm48d::cli
