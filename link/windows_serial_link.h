#pragma once
// The serial device on Windows, through the kernel32 serial-communications services.
#ifdef _WIN32

#include <cstdint>
#include <functional>
#include <string>

#include "link/serial_link.h"

namespace zm48d {

// "\\.\COMn": the device namespace prefix opens every port number alike,
// COM10 and above included, which the bare "COMn" name does not.
std::string WindowsComDevicePath(int portNumber);

// Owns one kernel32 HANDLE and closes it exactly once. Kept as void* (what HANDLE
// is) so that this header does not bring <windows.h> and its macros to every user.
class UniqueHandle {
 public:
  using Native = void*;

  UniqueHandle() = default;
  explicit UniqueHandle(Native handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept;
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Native Get() const { return handle_; }
  // A null handle (failed CreateEventA) and a negative one (INVALID_HANDLE_VALUE,
  // a failed CreateFileA) own nothing.
  bool Valid() const;
  // Closes the owned handle, if any, and takes `handle` in its place.
  void Reset(Native handle = nullptr);
  Native Release();

 private:
  Native handle_ = nullptr;
};

class WindowsSerialLink final : public SerialLink {
 public:
  explicit WindowsSerialLink(DevicePathResolver resolver = WindowsComDevicePath);
  ~WindowsSerialLink() override = default;  // the handle closes itself
  WindowsSerialLink(const WindowsSerialLink&) = delete;
  WindowsSerialLink& operator=(const WindowsSerialLink&) = delete;

  bool OpenDevice(int portNumber, std::uint32_t baudRate) override;
  OpenFailure LastOpenFailure() const override { return lastFailure_; }
  void CloseDevice() override;
  bool Write(const std::uint8_t* block, int size, int& written) override;
  bool Read(int size, std::uint8_t* buffer, int& read) override;
  void Purge(unsigned flags) override;

 private:
  // INFINITE, or one idle slice when there is an idle hook.
  unsigned long WaitSlice() const;

  DevicePathResolver resolver_;
  UniqueHandle port_;
  OpenFailure lastFailure_;
};

}  // namespace zm48d

#endif  // _WIN32
