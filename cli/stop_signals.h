#pragma once
// The operator's stop for a command that runs until it is stopped (`watch`):
// while a StopSignals lives, Ctrl+C (on POSIX systems also SIGTERM and SIGHUP)
// no longer ends the program but is held and taken as the stop, so the command
// leaves its loop and closes the port on the way out. One at a time.
#include <memory>

namespace zm48d::cli {

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Waits `ms`; true as soon as a stop comes (one that came earlier counts).
  bool StopWithin(int ms) const;

 private:
  struct Held;  // what the system needs to hold the signals
  std::unique_ptr<Held> held_;
};

}  // namespace zm48d::cli
