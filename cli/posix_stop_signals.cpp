#include "cli/stop_signals.h"

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <memory>

namespace zm48d::cli {

// The signals are blocked, so they stay pending until sigtimedwait takes them.
struct StopSignals::Held {
  sigset_t set{};
  sigset_t previous{};
};

StopSignals::StopSignals() : held_(std::make_unique<Held>()) {
  sigemptyset(&held_->set);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&held_->set, signal);
  pthread_sigmask(SIG_BLOCK, &held_->set, &held_->previous);
}

StopSignals::~StopSignals() { pthread_sigmask(SIG_SETMASK, &held_->previous, nullptr); }

bool StopSignals::StopWithin(int ms) const {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    const auto left = std::max(Clock::duration::zero(), deadline - Clock::now());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
    const timespec wait{static_cast<time_t>(seconds.count()),
                        static_cast<long>((left - seconds) / std::chrono::nanoseconds(1))};
    if (sigtimedwait(&held_->set, nullptr, &wait) > 0) return true;
    if (errno != EINTR) return false;  // EAGAIN: the time is up
  }
}

}  // namespace zm48d::cli
