#pragma once
// The three files a controller's configuration is kept in, as the "TX" page
// names them. An empty path means no file was chosen.
#include <string>

namespace zm48d::ops {

struct ConfigurationFiles {
  std::string holidays;
  std::string groups;
  std::string tags;
};

}  // namespace zm48d::ops
