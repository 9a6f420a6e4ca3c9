#pragma once
// The seam between the protocol and the operating system's serial device.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

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
  // Runs the idle hook, unless an IdleHold is in force. Backends call it while
  // they wait; the window also calls it after each frame.
  void Idle() const {
    if (idle_ && held_ == 0) idle_();
  }

  // Keeps the idle hook from running while it lives. A controller sends the
  // second frame of a two-frame answer a few milliseconds after the first, and
  // the terminal purges its input between the two: a hook that ran meanwhile
  // (a repaint can take longer than that pause) would let the second frame
  // arrive before the purge, which then discards it.
  class IdleHold {
   public:
    explicit IdleHold(SerialLink& link) : link_(link) { ++link_.held_; }
    ~IdleHold() { --link_.held_; }
    IdleHold(const IdleHold&) = delete;
    IdleHold& operator=(const IdleHold&) = delete;

   private:
    SerialLink& link_;
  };

  // Opens "COM n"; false when the device is missing or held by another program.
  virtual bool OpenDevice(int portNumber, std::uint32_t baudRate) = 0;
  // Why the last OpenDevice returned false; an empty value from a device that
  // cannot tell.
  virtual OpenFailure LastOpenFailure() const { return {}; }
  // Why an open line stopped carrying bytes, where the backend can tell (a
  // network server that closed the connection, in its own words); a value
  // without a problem otherwise. Each open starts without one.
  virtual OpenFailure LineFailure() const { return {}; }
  // Closes the device. Only called while it is open.
  virtual void CloseDevice() = 0;
  // Writes `size` bytes; true when all of them went out. `written` tells how many did.
  virtual bool Write(const std::uint8_t* block, int size, int& written) = 0;
  // Reads exactly `size` bytes; true when all arrived in time. `read` tells how many did.
  virtual bool Read(int size, std::uint8_t* buffer, int& read) = 0;
  // Discards queued input and/or output; the result is not examined.
  virtual void Purge(unsigned flags) = 0;

 protected:
  bool HasIdleHook() const { return idle_ && held_ == 0; }
  // How long a backend may block before it runs the idle hook: `ms`, or one
  // slice when the hook may run.
  int IdleSlice(int ms) const { return HasIdleHook() && ms > kIdleSliceMs ? kIdleSliceMs : ms; }

 private:
  IdleHook idle_;
  int held_ = 0;
};

}  // namespace zm48d
