#pragma once
// The serial side of the link state: one port that is opened for an operation and
// closed after it, never held between operations.
#include <cstdint>

#include "link/serial_link.h"

namespace zm48d {

inline constexpr std::uint32_t kDefaultBaudRate = 19200;

struct SerialPort {
  explicit SerialPort(SerialLink& device) : device(&device) {}

  SerialLink* device;
  bool open = false;
  std::uint32_t baudRate = kDefaultBaudRate;
  // Why the last SerialOpen failed; empty after one that succeeded.
  OpenFailure lastOpenFailure;
};

// Opens "COM n"; an open port is closed first. True when the port is open; when
// it is not, lastOpenFailure says why.
bool SerialOpen(SerialPort& port, int portNumber);
// Closes the port if it is open (purging both directions); otherwise does nothing.
void SerialClose(SerialPort& port);
// Writes a whole block; true when all `size` bytes were written.
bool SerialWrite(SerialPort& port, const std::uint8_t* block, int size, int& written);
// Reads exactly `size` bytes; on a timeout false, with `read` = the bytes that came.
bool SerialRead(SerialPort& port, int size, std::uint8_t* buffer, int& read);
// Purges input and/or output (kPurgeRxClear, kPurgeTxClear); the result is not examined.
void SerialPurge(SerialPort& port, unsigned flags);
// A pause the protocol prescribes between two transactions, `ms` long; the
// device's idle hook runs meanwhile.
void SerialPause(SerialPort& port, int ms);

// Closes the port when it goes out of scope: every path out of an operation,
// exceptions included, releases the line.
class PortCloser {
 public:
  explicit PortCloser(SerialPort& port) : port_(port) {}
  ~PortCloser() { SerialClose(port_); }
  PortCloser(const PortCloser&) = delete;
  PortCloser& operator=(const PortCloser&) = delete;

 private:
  SerialPort& port_;
};

}  // namespace zm48d
