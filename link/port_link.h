#pragma once
// "COM n" as the terminal opens it: the serial device or the network port that
// its name stands for, chosen at each open.
#include <cstdint>
#include <string>

#include "link/com_port_names.h"
#include "link/network_link.h"
#include "link/platform_serial_link.h"

namespace zm48d {

class PortLink final : public SerialLink {
 public:
  explicit PortLink(DevicePathResolver resolver = DefaultComPortName);
  PortLink(const PortLink&) = delete;
  PortLink& operator=(const PortLink&) = delete;

  bool OpenDevice(int portNumber, std::uint32_t baudRate) override;
  OpenFailure LastOpenFailure() const override;
  OpenFailure LineFailure() const override;
  void CloseDevice() override;
  bool Write(const std::uint8_t* block, int size, int& written) override;
  bool Read(int size, std::uint8_t* buffer, int& read) override;
  void Purge(unsigned flags) override;

 private:
  // The backend for `name`: the network one for a URL, else the device.
  SerialLink& BackendFor(const std::string& name);

  DevicePathResolver resolver_;
  std::string name_;  // what the last OpenDevice resolved, for the backends
  PlatformSerialLink device_;
  NetworkLink network_;
  SerialLink* chosen_ = nullptr;  // the backend of the last open
  bool open_ = false;
};

}  // namespace zm48d
