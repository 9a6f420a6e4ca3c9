// The benchmarks' delaying relay: bytes pass intact both ways, each way held
// for the delay, and the relay turns a client away when its target refuses.
#include "bench/delay_relay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <numeric>
#include <vector>

#include "tests/support/tcp_peers.h"

namespace zm48d::testing {
namespace {

using Clock = std::chrono::steady_clock;

TEST(DelayRelay, EachRoundTripGainsTwiceTheDelayAndKeepsTheBytes) {
  EchoServer echo;
  bench::DelayRelay relay("127.0.0.1", echo.Port(), 10);
  TcpClient client(relay.Port());
  ASSERT_TRUE(client.Connected());
  std::vector<std::uint8_t> bytes(3000);
  std::iota(bytes.begin(), bytes.end(), 0);  // 0..255 repeated

  for (int trip = 0; trip < 3; ++trip) {
    const auto start = Clock::now();
    ASSERT_TRUE(client.Send(bytes));
    EXPECT_EQ(client.Receive(bytes.size(), 2000), bytes);
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(20));
    EXPECT_LT(elapsed, std::chrono::milliseconds(500));
  }
  EXPECT_EQ(echo.Accepted(), 1);
}

TEST(DelayRelay, NextClientGetsAConnectionOfItsOwn) {
  EchoServer echo;
  bench::DelayRelay relay("127.0.0.1", echo.Port(), 1);
  for (std::uint8_t client = 1; client <= 2; ++client) {
    TcpClient peer(relay.Port());
    ASSERT_TRUE(peer.Send({client}));
    EXPECT_EQ(peer.Receive(1, 2000), std::vector<std::uint8_t>{client});
  }
  EXPECT_EQ(echo.Accepted(), 2);
}

TEST(DelayRelay, ClosesAtOnceWhenTheTargetRefuses) {
  bench::DelayRelay relay("127.0.0.1", RefusingPort(), 10);
  TcpClient client(relay.Port());
  EXPECT_TRUE(client.ClosedByPeer(2000));
}

}  // namespace
}  // namespace zm48d::testing
