#pragma once
// A controller emulator on a real pseudo-terminal and a terminal-side link whose
// "COM 1" is that emulator. "COM 2" names a device that does not exist.
#include <string>

#include "emulator/pty_emulator.h"
#include "link/posix_serial_link.h"
#include "protocol/link_state.h"

namespace zm48d::testing {

inline constexpr int kEmulatorPort = 1;
inline constexpr int kMissingPort = 2;

class EmulatedLine {
 public:
  explicit EmulatedLine(emu::EmulatorOptions options = {});

  emu::PtyEmulator emulator;
  PosixSerialLink device;
  LinkState link;

  // Opens COM 1 (the emulator); fails the test when it does not open.
  void Open();
};

// An emulator that sends its answers at the line's 19200 baud.
inline emu::EmulatorOptions PacedEmulator() {
  emu::EmulatorOptions options;
  options.pace = true;
  return options;
}

// Device paths used by EmulatedLine's resolver.
std::string MissingDevicePath();
// The line the command line adds after its open-failure text for that device.
std::string MissingDeviceLine();

}  // namespace zm48d::testing
