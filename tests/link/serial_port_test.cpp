// The serial port over real pseudo-terminals: timeouts, exclusive use, open and
// close state.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "link/posix_serial_link.h"
#include "link/serial_port.h"
#include "tests/support/fake_link.h"
#include "tests/support/raw_peer.h"
#include "tests/support/time_bounds.h"

namespace zm48d::testing {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

long ElapsedMs(Clock::time_point since) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - since).count();
}

struct PeerPort {
  RawPeer peer;
  PosixSerialLink device{[this](int) { return peer.Path(); }};
  SerialPort port{device};
};

// Reads 4 bytes from the silent line: it fails after 300 * 4 + 200 ms with none.
constexpr long kSilentReadMs = 300 * 4 + 200;
void ExpectSilentReadTimesOut(PeerPort& line) {
  ASSERT_TRUE(SerialOpen(line.port, 1));
  std::uint8_t buffer[4];
  int read = -1;
  const auto start = Clock::now();
  EXPECT_FALSE(SerialRead(line.port, 4, buffer, read));
  const long ms = ElapsedMs(start);
  EXPECT_EQ(read, 0);
  EXPECT_GE(ms, 1300);
  EXPECT_LT(ms, Loaded(milliseconds(kSilentReadMs)).count());
}

TEST(SerialTimeouts, SilentLineFailsAFourByteReadAfterTheTotalTimeout) {
  PeerPort line;
  ExpectSilentReadTimesOut(line);
}

// A window's idle hook runs while a read or a pause waits, and the timeout holds
// all the same.
TEST(SerialTimeouts, IdleHookRunsWhileASilentReadWaits) {
  PeerPort line;
  int idles = 0;
  line.device.SetIdleHook([&] { ++idles; });
  ExpectSilentReadTimesOut(line);
  EXPECT_GE(idles, 1300 / kIdleSliceMs / 2) << "the hook ran " << idles << " times";

  idles = 0;
  const auto paused = Clock::now();
  SerialPause(line.port, 100);
  EXPECT_GE(ElapsedMs(paused), 100);
  EXPECT_GE(idles, 3);
}

TEST(SerialTimeouts, PeerStoppingMidBlockFailsTheIntervalAfterTheLastByte) {
  PeerPort line;
  ASSERT_TRUE(SerialOpen(line.port, 1));
  std::thread sender([&] {
    std::this_thread::sleep_for(milliseconds(100));
    line.peer.Send({1, 2, 3});
  });
  std::uint8_t buffer[10];
  int read = -1;
  const auto start = Clock::now();
  EXPECT_FALSE(SerialRead(line.port, 10, buffer, read));
  const long ms = ElapsedMs(start);
  sender.join();
  EXPECT_EQ(read, 3);
  EXPECT_GE(ms, 280);                                // 100 before the bytes, 200 after them
  EXPECT_LT(ms, Loaded(milliseconds(300)).count());  // below the total bound of 3200
}

TEST(SerialTimeouts, BytesSpacedBelowTheIntervalKeepTheReadGoing) {
  PeerPort line;
  ASSERT_TRUE(SerialOpen(line.port, 1));
  std::thread sender([&] {
    for (std::uint8_t b = 0; b < 4; ++b) {
      line.peer.Send({b});
      std::this_thread::sleep_for(milliseconds(120));
    }
  });
  std::uint8_t buffer[4];
  int read = 0;
  EXPECT_TRUE(SerialRead(line.port, 4, buffer, read));
  sender.join();
  EXPECT_EQ(read, 4);
  EXPECT_EQ(buffer[3], 3);
}

TEST(SerialTimeouts, ReadReturnsAsSoonAsTheLastByteArrives) {
  PeerPort line;
  ASSERT_TRUE(SerialOpen(line.port, 1));
  line.peer.Send({9, 8, 7, 6});
  std::uint8_t buffer[4];
  int read = 0;
  const auto start = Clock::now();
  EXPECT_TRUE(SerialRead(line.port, 4, buffer, read));
  // Well before the 200 ms the interval timeout would add.
  EXPECT_LT(ElapsedMs(start), Loaded(milliseconds(50)).count());
}

TEST(SerialTimeouts, WrittenBytesReachThePeer) {
  PeerPort line;
  ASSERT_TRUE(SerialOpen(line.port, 1));
  const std::uint8_t frame[] = {0x02, 0xAA, 0x1E, 0x48, 0x00, 0x1C, 0x03, 0x31, 0x04};
  int written = 0;
  EXPECT_TRUE(SerialWrite(line.port, frame, 9, written));
  EXPECT_EQ(written, 9);
  EXPECT_EQ(line.peer.Receive(), std::vector<std::uint8_t>(frame, frame + 9));
}

TEST(SerialOpenClose, MissingDeviceFailsAndLeavesThePortClosed) {
  PosixSerialLink device([](int) { return std::string("/dev/zm48d-no-such-device"); });
  SerialPort port(device);
  EXPECT_FALSE(SerialOpen(port, 3));
  EXPECT_FALSE(port.open);
  SerialClose(port);  // nothing to close
  EXPECT_FALSE(port.open);
}

TEST(SerialOpenClose, SecondOpenOfAPortInUseFails) {
  PeerPort line;
  ASSERT_TRUE(SerialOpen(line.port, 1));
  PosixSerialLink other([&](int) { return line.peer.Path(); });
  SerialPort second(other);
  EXPECT_FALSE(SerialOpen(second, 1));
  SerialClose(line.port);
  EXPECT_TRUE(SerialOpen(second, 1)) << "the line is free again once closed";
}

// The peer keeps the line open, as the emulator does, so the terminal's close is
// not the last one and the exclusive flag would outlive it: an ordinary user's
// next open would then fail with EBUSY (root is let through, so look at the flag).
TEST(SerialOpenClose, ClosingGivesUpExclusiveUseOfALineHeldOpenElsewhere) {
#ifdef TIOCGEXCL
  PeerPort line;
  ASSERT_TRUE(SerialOpen(line.port, 1));
  SerialClose(line.port);
  const int fd = ::open(line.peer.Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  int exclusive = -1;
  const int got = ::ioctl(fd, TIOCGEXCL, &exclusive);
  ::close(fd);
  ASSERT_EQ(got, 0);
  EXPECT_EQ(exclusive, 0);
#else
  GTEST_SKIP() << "no TIOCGEXCL on this system";
#endif
}

TEST(SerialOpenClose, ReopeningAnOpenPortClosesItFirst) {
  PeerPort line;
  ASSERT_TRUE(SerialOpen(line.port, 1));
  // Without closing first, the device's own exclusive lock would refuse this.
  EXPECT_TRUE(SerialOpen(line.port, 1));
  EXPECT_TRUE(line.port.open);
}

TEST(SerialOpenClose, CloseOfAClosedPortDoesNothingAndCloseOfAnOpenOnePurges) {
  FakeLink fake;
  SerialPort port(fake);
  SerialClose(port);
  EXPECT_EQ(fake.closes, 0);
  EXPECT_TRUE(fake.purges.empty());

  ASSERT_TRUE(SerialOpen(port, 1));
  ASSERT_TRUE(SerialOpen(port, 1));
  EXPECT_EQ(fake.closes, 1) << "an open port is closed before it is opened again";
  SerialClose(port);
  EXPECT_EQ(fake.closes, 2);
  EXPECT_EQ(fake.purges,
            (std::vector<unsigned>{kPurgeRxClear, kPurgeTxClear, kPurgeRxClear, kPurgeTxClear}));
  fake.openResult = false;
  EXPECT_FALSE(SerialOpen(port, 1));
  SerialClose(port);
  EXPECT_EQ(fake.closes, 2) << "after a failed open there is nothing to close";
}

TEST(SerialOpenClose, ComPortsMapToTheEnvironmentOrToTtyS) {
  ::unsetenv("ZM48D_COM5");
  EXPECT_EQ(ComDevicePath(5), "/dev/ttyS4");
  ::setenv("ZM48D_COM5", "/tmp/zm48d-line", 1);
  EXPECT_EQ(ComDevicePath(5), "/tmp/zm48d-line");
  ::unsetenv("ZM48D_COM5");
}

}  // namespace
}  // namespace zm48d::testing
