#include "cli/stop_signals.h"

#include <windows.h>

#include <atomic>
#include <memory>

namespace zm48d::cli {

namespace {

// The console calls its handlers on a thread of its own and passes them nothing
// but the event type, so the handler finds the living StopSignals' event here.
std::atomic<HANDLE> g_stopEvent{nullptr};

// Ctrl+C and Ctrl+Break become the stop. A closing console window is left to
// the default handler: the system ends the process after it in any case, and
// the port's handle closes with the process.
BOOL WINAPI OnConsoleControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
  const HANDLE event = g_stopEvent.load();
  if (event == nullptr) return FALSE;
  SetEvent(event);
  return TRUE;
}

}  // namespace

// A manual-reset event, so a stop that came between two waits is still set.
struct StopSignals::Held {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

StopSignals::StopSignals() : held_(std::make_unique<Held>()) {
  g_stopEvent.store(held_->event);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopSignals::~StopSignals() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  g_stopEvent.store(nullptr);
  if (held_->event != nullptr) CloseHandle(held_->event);
}

bool StopSignals::StopWithin(int ms) const {
  if (held_->event == nullptr) {
    Sleep(static_cast<DWORD>(ms));
    return false;
  }
  return WaitForSingleObject(held_->event, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

}  // namespace zm48d::cli
