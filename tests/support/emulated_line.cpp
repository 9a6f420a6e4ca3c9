#include "tests/support/emulated_line.h"

#include <gtest/gtest.h>

#include <utility>

namespace zm48d::testing {

std::string MissingDevicePath() { return "/dev/zm48d-no-such-device"; }

std::string MissingDeviceLine() { return "/dev/zm48d-no-such-device: No such file or directory\n"; }

EmulatedLine::EmulatedLine(emu::EmulatorOptions options)
    : emulator(std::move(options)),
      device([this](int port) {
        return port == kEmulatorPort ? emulator.TerminalPath() : MissingDevicePath();
      }),
      link(device) {}

void EmulatedLine::Open() { ASSERT_TRUE(SerialOpen(link.serial, kEmulatorPort)); }

}  // namespace zm48d::testing
