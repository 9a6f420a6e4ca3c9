// Why a device did not open, over real device paths: what the link keeps of the
// failure, and which programs hold a device.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "link/device_holders.h"
#include "link/posix_serial_link.h"
#include "link/serial_port.h"
#include "tests/support/raw_peer.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace zm48d::testing {
namespace {

using Problem = OpenFailure::Problem;

constexpr uid_t kNobody = 65534;

OpenFailure FailureOpening(const std::string& path) {
  PosixSerialLink device([&](int) { return path; });
  SerialPort port(device);
  EXPECT_FALSE(SerialOpen(port, 1)) << path;
  return port.lastOpenFailure;
}

TEST(OpenFailureOfADevice, KeepsThePathTheSystemsCodeAndWhatItMeans) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path("folder"));
  struct Case {
    std::string path;
    int error;
    Problem problem;
  };
  const Case cases[] = {
      {"/dev/zm48d-no-such-device", ENOENT, Problem::kMissing},
      {dir.Path("folder"), EISDIR, Problem::kNotATerminal},
      {"/dev/null", ENOTTY, Problem::kNotATerminal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const OpenFailure failure = FailureOpening(c.path);
    EXPECT_EQ(failure.path, c.path);
    EXPECT_EQ(failure.systemError, c.error);
    EXPECT_EQ(failure.problem, c.problem);
    EXPECT_EQ(failure.Reason(), std::strerror(c.error));
  }
}

// Root is let past TIOCEXCL but not past the lock; either way the line is busy.
TEST(OpenFailureOfADevice, ALineHeldByAnotherOpenIsInUseAndASuccessClearsTheFailure) {
  RawPeer peer;
  PosixSerialLink holder([&](int) { return peer.Path(); });
  SerialPort held(holder);
  ASSERT_TRUE(SerialOpen(held, 1));
  const OpenFailure failure = FailureOpening(peer.Path());
  EXPECT_EQ(failure.systemError, EBUSY);
  EXPECT_EQ(failure.problem, Problem::kInUse);

  SerialClose(held);
  PosixSerialLink device([&](int) { return peer.Path(); });
  SerialPort port(device);
  port.lastOpenFailure = failure;
  ASSERT_TRUE(SerialOpen(port, 1));
  EXPECT_EQ(port.lastOpenFailure.problem, Problem::kNone);
  EXPECT_EQ(port.lastOpenFailure.path, "");
}

// A device without read and write permission. Root opens it all the same, so
// then the open runs in a child process that has become the user nobody.
TEST(OpenFailureOfADevice, ADeviceTheUserMayNotOpenIsAPermissionProblem) {
  RawPeer peer;
  ASSERT_EQ(::chmod(peer.Path().c_str(), 0), 0);
  if (::geteuid() != 0) {
    const OpenFailure failure = FailureOpening(peer.Path());
    EXPECT_EQ(failure.systemError, EACCES);
    EXPECT_EQ(failure.problem, Problem::kNoPermission);
    return;
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(100);
    PosixSerialLink device([&](int) { return peer.Path(); });
    const bool opened = device.OpenDevice(1, 19200);
    const OpenFailure failure = device.LastOpenFailure();
    ::_exit(!opened && failure.problem == Problem::kNoPermission && failure.systemError == EACCES
                ? 0
                : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_NE(WEXITSTATUS(status), 100) << "could not become the user nobody";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "nobody's open was not refused for permission";
}

// `sleep` with its standard input on `path`, for as long as the object lives.
class HoldingSleeper {
 public:
  explicit HoldingSleeper(const std::string& path) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, path.c_str(), O_RDWR | O_NOCTTY, 0);
    char* argv[] = {const_cast<char*>("sleep"), const_cast<char*>("30"), nullptr};
    if (posix_spawnp(&pid_, "sleep", &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    // Until exec has run, the child is still this program with another name.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (pid_ > 0 && Name() != "sleep" && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  ~HoldingSleeper() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  int Pid() const { return pid_; }

 private:
  std::string Name() const {
    std::ifstream comm("/proc/" + std::to_string(pid_) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
  }
  pid_t pid_ = -1;
};

TEST(ProgramsHolding, NamesEachOtherProgramThatHasTheDeviceOpen) {
  RawPeer peer;  // this process holds the line too, and is left out
  EXPECT_TRUE(ProgramsHolding(peer.Path()).empty());
  {
    const HoldingSleeper sleeper(peer.Path());
    ASSERT_GT(sleeper.Pid(), 0);
    const std::vector<HoldingProgram> holders = ProgramsHolding(peer.Path());
    ASSERT_EQ(holders.size(), 1u);
    EXPECT_EQ(holders[0].pid, sleeper.Pid());
    EXPECT_EQ(holders[0].name, "sleep");
  }
  EXPECT_TRUE(ProgramsHolding(peer.Path()).empty());
  EXPECT_TRUE(ProgramsHolding("/dev/zm48d-no-such-device").empty());
}

}  // namespace
}  // namespace zm48d::testing
