#include "link/serial_link.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace zm48d {

void SerialLink::Pause(int ms) const {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
    std::this_thread::sleep_for(
        std::min(left + std::chrono::milliseconds(1), std::chrono::milliseconds(IdleSlice(ms))));
    Idle();
  }
}

}  // namespace zm48d
