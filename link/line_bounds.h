#pragma once
// The line's only time bounds, the Windows COMMTIMEOUTS the controller's line
// has always run with, for every backend: a read of k bytes ends 300*k + 200 ms
// after it started, or 200 ms after a byte when no next one follows; a write of
// k bytes ends 300*k + 200 ms after it started. The protocol has no timer of its
// own: these end every transfer.
#include <chrono>

namespace zm48d {

inline constexpr int kIntervalTimeoutMs = 200;
inline constexpr int kTotalMultiplierMs = 300;
inline constexpr int kTotalConstantMs = 200;

using LineClock = std::chrono::steady_clock;

// When a transfer of `size` bytes started now must end.
inline LineClock::time_point TotalDeadline(int size) {
  return LineClock::now() + std::chrono::milliseconds(kTotalMultiplierMs * size + kTotalConstantMs);
}

// The milliseconds left until `deadline`, rounded up so that a wait never ends a
// hair before it and spins; 0 once it has passed.
inline int MillisecondsUntil(LineClock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - LineClock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(left) + 1;
}

}  // namespace zm48d
