#include "link/serial_port.h"

namespace zm48d {

namespace {

void SerialRelease(SerialPort& port) {
  port.open = false;
  port.device->Purge(kPurgeRxClear);
  port.device->Purge(kPurgeTxClear);
  port.device->CloseDevice();
}

}  // namespace

bool SerialOpen(SerialPort& port, int portNumber) {
  if (port.open) SerialClose(port);
  port.open = port.device->OpenDevice(portNumber, port.baudRate);
  port.lastOpenFailure = port.open ? OpenFailure{} : port.device->LastOpenFailure();
  return port.open;
}

void SerialClose(SerialPort& port) {
  if (port.open) SerialRelease(port);
}

bool SerialWrite(SerialPort& port, const std::uint8_t* block, int size, int& written) {
  written = 0;
  if (!port.open || size < 0) return false;
  return port.device->Write(block, size, written);
}

bool SerialRead(SerialPort& port, int size, std::uint8_t* buffer, int& read) {
  read = 0;
  if (!port.open || size < 0) return false;
  return port.device->Read(size, buffer, read);
}

void SerialPurge(SerialPort& port, unsigned flags) {
  if (port.open) port.device->Purge(flags);
}

void SerialPause(SerialPort& port, int ms) { port.device->Pause(ms); }

}  // namespace zm48d
