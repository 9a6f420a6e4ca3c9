#pragma once
// What each "COM n" stands for during one run of the terminal: a serial device
// or a network URL. Nothing is kept between runs.
#include <map>
#include <string>
#include <utility>

#include "link/serial_link.h"

namespace zm48d {

// ZM48D_COM<n> when set in the environment (a device or a URL), else the
// platform's device for that number.
std::string DefaultComPortName(int portNumber);

class ComPortNames {
 public:
  explicit ComPortNames(DevicePathResolver defaults = DefaultComPortName)
      : defaults_(std::move(defaults)) {}

  // The operator's choice for this run, else the default.
  std::string NameOf(int portNumber) const;
  std::string DefaultOf(int portNumber) const { return defaults_(portNumber); }
  bool IsAssigned(int portNumber) const { return assigned_.contains(portNumber); }
  // Gives "COM n" a device or a URL for this run; an empty name gives it back its default.
  void Assign(int portNumber, std::string name);

  // For a link to open by: it reads this table at each open, so the table must
  // outlive the link.
  DevicePathResolver Resolver() const {
    return [this](int portNumber) { return NameOf(portNumber); };
  }

 private:
  DevicePathResolver defaults_;
  std::map<int, std::string> assigned_;
};

}  // namespace zm48d
