// zm48d-emulator: a ZM48D controller on a pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include "emulator/console.h"
#include "emulator/pty_emulator.h"
#include "zm48d_version.h"

namespace {

using zm48d::emu::PtyEmulator;

constexpr const char* kUsage =
    "usage: zm48d-emulator [--link PATH] [--state FILE] [--pace] [--fault MODE] [--control FIFO]\n"
    "       zm48d-emulator --help | --version\n"
    "  --link PATH     make PATH a symlink to the terminal side of the line\n"
    "  --state FILE    load the controller's memory from FILE and save it there after each write\n"
    "  --pace          send at the byte rate of a 19200-baud line\n"
    "  --fault MODE    answer every request with a fault (see 'help' on the console)\n"
    "  --control FIFO  also read console commands from the named pipe FIFO\n"
    "Console commands are read from standard input; 'help' lists them, 'quit' ends.\n";

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char c = 's';
  (void)!write(g_signalPipe[1], &c, 1);
}

struct Options {
  zm48d::emu::EmulatorOptions emulator;
  std::string state;
  std::string fault;
  std::string control;
  bool help = false;
  bool version = false;
};

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    if (arg == "--help")
      options.help = true;
    else if (arg == "--version")
      options.version = true;
    else if (arg == "--pace")
      options.emulator.pace = true;
    else if (arg == "--link") {
      if (!value(options.emulator.linkPath)) return false;
    } else if (arg == "--state") {
      if (!value(options.state)) return false;
    } else if (arg == "--fault") {
      if (!value(options.fault)) return false;
    } else if (arg == "--control") {
      if (!value(options.control)) return false;
    } else
      return false;
  }
  return true;
}

// Saves the memory to `state` (nothing when it is empty), as a controller keeps
// its EEPROM.
void SaveState(PtyEmulator& emulator, const std::string& state) {
  if (state.empty()) return;
  const bool saved = emulator.With([&](const auto& c) { return c.Save(state); });
  if (!saved) std::fprintf(stderr, "cannot save %s\n", state.c_str());
}

// Lines from one input; returns false at end of input. A command that wrote
// memory (a swipe, an event) is saved before its answer is printed.
bool DrainLines(int fd, std::string& pending, PtyEmulator& emulator, const std::string& state,
                bool& quit) {
  char buffer[512];
  ssize_t n = read(fd, buffer, sizeof buffer);
  if (n <= 0) return false;
  pending.append(buffer, static_cast<size_t>(n));
  for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
    std::string line = pending.substr(0, end);
    pending.erase(0, end + 1);
    if (line == "quit") {
      quit = true;
      return true;
    }
    const zm48d::emu::ConsoleReply reply = zm48d::emu::RunConsoleLine(emulator, line);
    if (reply.memoryChanged) SaveState(emulator, state);
    if (!reply.text.empty()) std::printf("%s\n", reply.text.c_str());
    std::fflush(stdout);
  }
  return true;
}

int OpenControl(const std::string& path) {
  return open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);  // RDWR: never sees EOF
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArguments(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (options.version) {
    std::cout << "zm48d-emulator " << zm48d::kVersion << '\n';
    return 0;
  }
  zm48d::emu::Fault fault = zm48d::emu::Fault::kNone;
  if (!options.fault.empty()) {
    auto parsed = zm48d::emu::ParseFault(options.fault);
    if (!parsed) {
      std::fprintf(stderr, "unknown fault: %s\n", options.fault.c_str());
      return 2;
    }
    fault = *parsed;
  }
  if (!options.state.empty()) {
    options.emulator.afterAnswer = [path = options.state](const auto& controller,
                                                          const auto& request) {
      const bool writes = !request.data.empty() && request.data[0] == 'G' &&
                          (request.command == 'D' || request.command == 'G');
      if (writes && !controller.Save(path)) std::fprintf(stderr, "cannot save %s\n", path.c_str());
    };
  }
  if (!options.control.empty()) {
    unlink(options.control.c_str());
    if (mkfifo(options.control.c_str(), 0600) != 0) {
      std::fprintf(stderr, "cannot create %s: %s\n", options.control.c_str(), std::strerror(errno));
      return 1;
    }
  }
  if (pipe(g_signalPipe) != 0) return 1;
  signal(SIGINT, OnSignal);
  signal(SIGTERM, OnSignal);
  signal(SIGPIPE, SIG_IGN);

  try {
    PtyEmulator emulator(options.emulator);
    if (!options.state.empty() && access(options.state.c_str(), F_OK) == 0) {
      const bool loaded = emulator.With([&](auto& c) { return c.Load(options.state); });
      if (!loaded)
        std::fprintf(stderr, "cannot load %s: keeping a fresh memory\n", options.state.c_str());
    }
    if (fault != zm48d::emu::Fault::kNone) emulator.SetFault({fault});
    std::printf("%s\n", emulator.TerminalPath().c_str());
    std::fflush(stdout);

    const int control = options.control.empty() ? -1 : OpenControl(options.control);
    std::string stdinPending, controlPending;
    bool stdinOpen = true, quit = false;
    while (!quit) {
      pollfd fds[3] = {{g_signalPipe[0], POLLIN, 0},
                       {stdinOpen ? STDIN_FILENO : -1, POLLIN, 0},
                       {control, POLLIN, 0}};
      if (poll(fds, 3, -1) < 0) continue;
      if (fds[0].revents) break;
      if (fds[1].revents) {
        stdinOpen = DrainLines(STDIN_FILENO, stdinPending, emulator, options.state, quit);
      }
      if (fds[2].revents) DrainLines(control, controlPending, emulator, options.state, quit);
    }
    if (control >= 0) {
      close(control);
      unlink(options.control.c_str());
    }
    SaveState(emulator, options.state);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zm48d-emulator: %s\n", e.what());
    return 1;
  }
  return 0;
}
