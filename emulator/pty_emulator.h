#pragma once
// Serves a Controller on the controller side of a pseudo-terminal pair, in a
// thread of its own. The terminal opens TerminalPath() like any serial device.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "emulator/controller.h"
#include "emulator/faults.h"

namespace zm48d::emu {

struct EmulatorOptions {
  bool pace = false;     // send answers at the 19200-baud byte rate (~0.52 ms a byte)
  std::string linkPath;  // when set, a symlink to the terminal side
  // Runs after each request the controller answered, under the serving lock
  // (the executable saves the memory here).
  std::function<void(const Controller&, const Request&)> afterAnswer;
};

class PtyEmulator {
 public:
  explicit PtyEmulator(EmulatorOptions options = {});
  ~PtyEmulator();
  PtyEmulator(const PtyEmulator&) = delete;
  PtyEmulator& operator=(const PtyEmulator&) = delete;

  // Path of the terminal side (for example /dev/pts/7).
  const std::string& TerminalPath() const;

  // Runs `f` on the controller while holding the serving lock.
  template <class F>
  auto With(F&& f) {
    std::lock_guard lock(mutex_);
    return f(controller_);
  }

  void SetFault(FaultPlan plan);
  // Every request frame received so far, in order.
  std::vector<Request> Requests();
  void ClearRequests();

 private:
  void Serve();
  struct Impl;
  std::mutex mutex_;
  Controller controller_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zm48d::emu
