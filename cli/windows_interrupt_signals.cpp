#include <windows.h>

#include <atomic>

#include "cli/interrupt_signals.h"

namespace zm48d::cli {

namespace {

constexpr int kSigInt = 2;
constexpr int kSigTerm = 15;
// The system ends the process this long after a console's close event at the
// latest; the command gets nearly all of it to unwind.
constexpr DWORD kCloseGraceMs = 4500;

// The console calls its handlers on a thread of its own and passes them nothing
// but the event type.
std::atomic<int> g_caught{0};
std::atomic<HANDLE> g_unwound{nullptr};

BOOL WINAPI OnConsoleControl(DWORD type) {
  const bool close =
      type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT;
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT && !close) return FALSE;
  int none = 0;
  if (!g_caught.compare_exchange_strong(none, type == CTRL_C_EVENT ? kSigInt : kSigTerm)) {
    return FALSE;  // the second: the default handler ends the program
  }
  // After a close the process ends when this handler returns: wait for the
  // command to unwind first.
  if (close && g_unwound.load() != nullptr) WaitForSingleObject(g_unwound.load(), kCloseGraceMs);
  return TRUE;
}

}  // namespace

InterruptSignals::InterruptSignals() {
  g_caught = 0;
  g_unwound = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

InterruptSignals::~InterruptSignals() {
  if (const HANDLE unwound = g_unwound.exchange(nullptr)) {
    SetEvent(unwound);
    // The handler may still hold it while the process ends; the system closes it then.
  }
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

int InterruptSignals::Caught() const { return g_caught.load(); }

}  // namespace zm48d::cli
