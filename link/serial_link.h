#pragma once
// The seam between the protocol and the operating system's serial device.
#include <cstdint>
#include <functional>
#include <string>

#include "link/open_failure.h"

namespace zm48d {

// Purge flags, with the values the Windows serial interface gives them.
inline constexpr unsigned kPurgeTxClear = 0x0004;  // discard output not yet sent
inline constexpr unsigned kPurgeRxClear = 0x0008;  // discard input not yet read

// One serial device. Implementations apply the controller's fixed line settings
// (19200 8N1, no flow control, DTR and RTS off, exclusive use) and the read and
// write timeout rules:
//   - a read of k bytes fails 300*k + 200 ms after it started, or 200 ms after the
//     last byte received once the first one arrived;
//   - a write of k bytes fails 300*k + 200 ms after it started.
// A read returns the moment its last byte arrives.
// Maps "COM n" to the name of the device that stands for it.
using DevicePathResolver = std::function<std::string(int portNumber)>;

// Runs while a transfer or a pause waits, at least every kIdleSliceMs, so that a
// window can repaint and drop its input while the line is busy. It must not use
// the link; the timeouts run on undisturbed.
using IdleHook = std::function<void()>;
inline constexpr int kIdleSliceMs = 20;

class SerialLink {
 public:
  virtual ~SerialLink() = default;

  void SetIdleHook(IdleHook hook) { idle_ = std::move(hook); }
  // Waits `ms`, running the idle hook between slices.
  void Pause(int ms) const;

  // Opens "COM n"; false when the device is missing or held by another program.
  virtual bool OpenDevice(int portNumber, std::uint32_t baudRate) = 0;
  // Why the last OpenDevice returned false; an empty value from a device that
  // cannot tell.
  virtual OpenFailure LastOpenFailure() const { return {}; }
  // Closes the device. Only called while it is open.
  virtual void CloseDevice() = 0;
  // Writes `size` bytes; true when all of them went out. `written` tells how many did.
  virtual bool Write(const std::uint8_t* block, int size, int& written) = 0;
  // Reads exactly `size` bytes; true when all arrived in time. `read` tells how many did.
  virtual bool Read(int size, std::uint8_t* buffer, int& read) = 0;
  // Discards queued input and/or output; the result is not examined.
  virtual void Purge(unsigned flags) = 0;

 protected:
  bool HasIdleHook() const { return static_cast<bool>(idle_); }
  void Idle() const {
    if (idle_) idle_();
  }
  // How long a backend may block before it runs the idle hook: `ms`, or one
  // slice when there is a hook.
  int IdleSlice(int ms) const { return idle_ && ms > kIdleSliceMs ? kIdleSliceMs : ms; }

 private:
  IdleHook idle_;
};

}  // namespace zm48d
