#pragma once
// Base fixture for running the real zm48d executable against a controller
// emulator on a pseudo-terminal, and for looking at the emulator's memory after.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "emulator/pty_emulator.h"
#include "tests/cli/child_process.h"

namespace zm48d::testing {

using Words = std::vector<std::string>;

class CliOnEmulator : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = BuildExecutable("zm48d");
    ASSERT_FALSE(program_.empty());
  }

  // zm48d --port <device, the emulator when empty> words...
  ProcessResult Zm48d(const Words& words, const std::string& device = "") {
    Words args = {"--port", device.empty() ? emulator_.TerminalPath() : device};
    args.insert(args.end(), words.begin(), words.end());
    return RunProgram(program_, args);
  }

  // `n` bytes of the controller's settings memory from `at`.
  std::vector<std::uint8_t> Settings(std::size_t at, std::size_t n) {
    return emulator_.With([&](emu::Controller& c) {
      return std::vector<std::uint8_t>(c.settings.begin() + static_cast<long>(at),
                                       c.settings.begin() + static_cast<long>(at + n));
    });
  }

  // The commands the controller received, 'B' and 'D' with their sub-command:
  // "BE DL DL DG I BS ".
  std::string Commands() {
    std::string out;
    for (const auto& r : emulator_.Requests()) {
      out += static_cast<char>(r.command);
      const bool sub = r.command == 'B' || r.command == 'D';
      if (sub && !r.data.empty()) out += static_cast<char>(r.data[0]);
      out += ' ';
    }
    return out;
  }

  // How often the controller was told its tables changed.
  int Notifications() {
    return emulator_.With([](emu::Controller& c) { return c.notifications; });
  }

  std::string program_;
  emu::PtyEmulator emulator_;
};

}  // namespace zm48d::testing
