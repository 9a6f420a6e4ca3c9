#pragma once
// The serial device on POSIX systems, through termios.
#include <cstdint>
#include <functional>
#include <string>

#include "link/serial_link.h"

namespace zm48d {

// ZM48D_COM<n> when set in the environment, else /dev/ttyS<n-1>.
std::string ComDevicePath(int portNumber);

class PosixSerialLink final : public SerialLink {
 public:
  explicit PosixSerialLink(DevicePathResolver resolver = ComDevicePath);
  ~PosixSerialLink() override;
  PosixSerialLink(const PosixSerialLink&) = delete;
  PosixSerialLink& operator=(const PosixSerialLink&) = delete;

  bool OpenDevice(int portNumber, std::uint32_t baudRate) override;
  OpenFailure LastOpenFailure() const override { return lastFailure_; }
  void CloseDevice() override;
  bool Write(const std::uint8_t* block, int size, int& written) override;
  bool Read(int size, std::uint8_t* buffer, int& read) override;
  void Purge(unsigned flags) override;

 private:
  // Keeps why `path` did not open; returns false for OpenDevice to pass on.
  bool Failed(const std::string& path, int error);

  DevicePathResolver resolver_;
  int fd_ = -1;
  OpenFailure lastFailure_;
};

}  // namespace zm48d
