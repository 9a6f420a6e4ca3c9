// Ctrl+C (SIGINT), a kill (SIGTERM) and a closing terminal (SIGHUP) while
// `watch` runs: each is the operator's stop, none ends the program there and then.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>

#include "cli/stop_signals.h"
#include "tests/support/time_bounds.h"

namespace zm48d::testing {
namespace {

using Clock = std::chrono::steady_clock;

bool Blocked(int signal) {
  sigset_t mask;
  pthread_sigmask(SIG_SETMASK, nullptr, &mask);
  return sigismember(&mask, signal) == 1;
}

TEST(StopSignals, EachStopSignalEndsTheWaitAtOnceAndCountsOnce) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    const cli::StopSignals stop;
    ASSERT_EQ(raise(signal), 0);  // held: it would end the test program otherwise
    const auto start = Clock::now();
    EXPECT_TRUE(stop.StopWithin(5000));
    EXPECT_LT(Clock::now() - start, Loaded(std::chrono::milliseconds(500))) << "not the 5 s wait";
    EXPECT_FALSE(stop.StopWithin(0)) << "one signal is one stop";
  }
}

TEST(StopSignals, TheSignalsEndTheProgramAgainAfterwards) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) ASSERT_FALSE(Blocked(signal));
  {
    const cli::StopSignals stop;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) EXPECT_TRUE(Blocked(signal));
  }
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) EXPECT_FALSE(Blocked(signal));
}

}  // namespace
}  // namespace zm48d::testing
