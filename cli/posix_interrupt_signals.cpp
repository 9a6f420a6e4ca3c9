#include <signal.h>

#include <csignal>
#include <initializer_list>

#include "cli/interrupt_signals.h"

namespace zm48d::cli {

namespace {

// A signal handler can reach nothing but a global of this type.
volatile std::sig_atomic_t g_caught = 0;

void RestoreDefaults() {
  struct sigaction deflt {};
  deflt.sa_handler = SIG_DFL;
  sigemptyset(&deflt.sa_mask);
  for (int signal : {SIGINT, SIGTERM}) sigaction(signal, &deflt, nullptr);
}

// Notes the first signal and gives both back to the system, so that a second
// one ends the program at once.
void OnSignal(int signal) {
  if (g_caught == 0) g_caught = signal;
  RestoreDefaults();
}

}  // namespace

InterruptSignals::InterruptSignals() {
  g_caught = 0;
  struct sigaction noted {};
  noted.sa_handler = OnSignal;
  sigemptyset(&noted.sa_mask);
  for (int signal : {SIGINT, SIGTERM}) sigaction(signal, &noted, nullptr);
  // A reader that went away (`| head`) is a failed write the command reports,
  // not a signal that ends the program before it could unwind.
  std::signal(SIGPIPE, SIG_IGN);
}

InterruptSignals::~InterruptSignals() { RestoreDefaults(); }

int InterruptSignals::Caught() const { return g_caught; }

}  // namespace zm48d::cli
