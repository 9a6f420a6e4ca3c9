// zm48d over device paths that do not open: after the window's text, the device,
// the system's reason and what to do, on the error stream.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "link/posix_serial_link.h"
#include "link/serial_port.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOpenFailed = "Erro ao abrir a porta serial!!\n";

std::string ThisProgramsName() {
  std::ifstream comm("/proc/self/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

TEST_F(CliOnEmulator, APathThatIsNoTerminalIsNamedAsSuch) {
  TempDir dir;
  fs::create_directory(dir.Path("folder"));
  const std::pair<std::string, std::string> cases[] = {
      {dir.Path("folder"), dir.Path("folder") + ": Is a directory; not a serial device\n"},
      {"/dev/null", "/dev/null: Inappropriate ioctl for device; not a serial device\n"},
  };
  for (const auto& [path, line] : cases) {
    SCOPED_TRACE(path);
    const ProcessResult result = Zm48d({"beep"}, path);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, kOpenFailed + line);
  }
}

// This test holds the line, as a program left running would.
TEST_F(CliOnEmulator, APortInUseNamesTheProgramHoldingIt) {
  PosixSerialLink holder([this](int) { return emulator_.TerminalPath(); });
  SerialPort held(holder);
  ASSERT_TRUE(SerialOpen(held, 1));
  const ProcessResult result = Zm48d({"beep"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, kOpenFailed + emulator_.TerminalPath() +
                            ": Device or resource busy; in use by " + ThisProgramsName() +
                            " (pid " + std::to_string(::getpid()) + ")\n");
  EXPECT_TRUE(emulator_.Requests().empty());

  SerialClose(held);
  EXPECT_EQ(Zm48d({"beep"}).exitCode, 0);
}

// Root opens any device, so as root zm48d runs as the user nobody (through
// setpriv, from a copy that user may run).
TEST_F(CliOnEmulator, ADeviceTheUserMayNotOpenAsksForTheDialoutGroup) {
  const std::string path = emulator_.TerminalPath();
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  const std::string expected =
      kOpenFailed + path + ": Permission denied; add the user to the dialout group\n";
  if (::geteuid() != 0) {
    EXPECT_EQ(Zm48d({"beep"}).err, expected);
    return;
  }
  const std::string setpriv = "/usr/bin/setpriv";
  if (::access(setpriv.c_str(), X_OK) != 0) GTEST_SKIP() << "no setpriv to run as an ordinary user";
  TempDir dir;
  fs::permissions(dir.Path(""), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
  fs::copy_file(program_, dir.Path("zm48d"));
  const ProcessResult result =
      RunProgram(setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups", dir.Path("zm48d"),
                           "--port", path, "beep"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, expected);
}

}  // namespace
}  // namespace zm48d::testing
