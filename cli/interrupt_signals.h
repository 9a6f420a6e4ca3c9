#pragma once
// Ctrl+C during a one-shot command. Ended at once, a command could leave the
// controller in download mode or half-written without a word. While an
// InterruptSignals lives, SIGINT and SIGTERM (on Windows Ctrl+C, Ctrl+Break and
// the console's close) are noted instead: the transaction under way finishes or
// times out, no new frame goes out, and the command unwinds as a failure. A
// second one ends the program at once. One at a time.
namespace zm48d::cli {

class InterruptSignals {
 public:
  InterruptSignals();
  ~InterruptSignals();
  InterruptSignals(const InterruptSignals&) = delete;
  InterruptSignals& operator=(const InterruptSignals&) = delete;

  // 0 until a signal came; then its number, as POSIX numbers them (SIGINT 2,
  // SIGTERM 15), also on Windows.
  int Caught() const;
};

// The exit status of a program that a signal stopped: 128 + its number.
inline int InterruptedExitStatus(int signal) { return 128 + signal; }

}  // namespace zm48d::cli
