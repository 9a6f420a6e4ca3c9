#include "link/com_port_names.h"

#include <cstdlib>
#include <utility>

#include "link/platform_serial_link.h"

namespace zm48d {

std::string DefaultComPortName(int portNumber) {
  const std::string variable = "ZM48D_COM" + std::to_string(portNumber);
  if (const char* name = std::getenv(variable.c_str()); name != nullptr && *name != '\0') {
    return name;
  }
  return PlatformComDevicePath(portNumber);
}

std::string ComPortNames::NameOf(int portNumber) const {
  if (const auto it = assigned_.find(portNumber); it != assigned_.end()) return it->second;
  return DefaultOf(portNumber);
}

void ComPortNames::Assign(int portNumber, std::string name) {
  if (name.empty()) {
    assigned_.erase(portNumber);
  } else {
    assigned_[portNumber] = std::move(name);
  }
}

}  // namespace zm48d
