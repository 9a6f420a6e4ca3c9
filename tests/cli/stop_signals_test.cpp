// The wait between two polls of `watch`.
#include <gtest/gtest.h>

#include <chrono>

#include "cli/stop_signals.h"

namespace zm48d::testing {
namespace {

using Clock = std::chrono::steady_clock;

TEST(StopSignals, WithoutAStopTheWaitRunsItsTime) {
  const cli::StopSignals stop;
  const auto start = Clock::now();
  EXPECT_FALSE(stop.StopWithin(150));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  EXPECT_GE(ms.count(), 130);  // Windows waits to its timer tick (about 16 ms)
  EXPECT_LT(ms.count(), 1000);
  EXPECT_FALSE(stop.StopWithin(0));
}

}  // namespace
}  // namespace zm48d::testing
