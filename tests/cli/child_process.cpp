#include "tests/cli/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace zm48d::testing {

namespace {

using Clock = std::chrono::steady_clock;

struct Pipe {
  int read = -1;
  int write = -1;
  Pipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) == 0) {
      read = fds[0];
      write = fds[1];
    }
  }
};

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Everything exec needs, built before fork: the child of a threaded process may
// only make async-signal-safe calls.
struct ExecImage {
  std::vector<std::string> argStrings;
  std::vector<std::string> envStrings;
  std::vector<char*> argv;
  std::vector<char*> envp;

  ExecImage(const std::string& program, const std::vector<std::string>& args,
            const std::vector<std::string>& extraEnvironment) {
    argStrings.push_back(program);
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      const std::string name = entry.substr(0, entry.find('='));
      bool replaced = false;
      for (const std::string& extra : extraEnvironment) {
        replaced = replaced || extra.substr(0, extra.find('=')) == name;
      }
      if (!replaced) envStrings.push_back(entry);
    }
    envStrings.insert(envStrings.end(), extraEnvironment.begin(), extraEnvironment.end());
    for (auto& s : argStrings) argv.push_back(s.data());
    argv.push_back(nullptr);
    for (auto& s : envStrings) envp.push_back(s.data());
    envp.push_back(nullptr);
  }
};

// Forks and execs with the child's stdin, stdout and stderr on the given ends.
pid_t Spawn(const ExecImage& image, int in, int out, int err) {
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execve(image.argv[0], image.argv.data(), image.envp.data());
    _exit(127);
  }
  return pid;
}

int ExitCodeOf(int waitStatus) { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }

// Sends the signals that are due; the time until the next one, or `left`.
std::chrono::milliseconds SendDueSignals(pid_t pid, Clock::time_point start,
                                         std::vector<TimedSignal>& signals,
                                         std::chrono::milliseconds left) {
  while (!signals.empty() && Clock::now() >= start + signals.front().after) {
    kill(pid, signals.front().signal);
    signals.erase(signals.begin());
  }
  if (signals.empty()) return left;
  const auto next = std::chrono::duration_cast<std::chrono::milliseconds>(
      start + signals.front().after - Clock::now());
  return std::clamp(next, std::chrono::milliseconds(1), left);
}

// Reads both outputs (an fd of -1 is none) until both reach their end or the
// deadline passes, sending the signals as they fall due.
bool DrainOutputs(pid_t pid, int out, int err, ProcessResult& result, Clock::time_point start,
                  Clock::time_point deadline, std::vector<TimedSignal> signals) {
  pollfd fds[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = (out >= 0) + (err >= 0);
  while (open > 0) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    left = SendDueSignals(pid, start, signals, left);
    if (poll(fds, 2, static_cast<int>(left.count())) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        fds[i].fd = -1;
        --open;
      }
    }
  }
  return true;
}

}  // namespace

std::string BuildExecutable(const std::string& name) {
  return std::string(ZM48D_BIN_DIR) + "/" + name;
}

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment,
                         std::chrono::milliseconds timeout) {
  RunOptions options;
  options.environment = environment;
  options.timeout = timeout;
  return RunProgram(program, args, options);
}

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const RunOptions& options) {
  ProcessResult result;
  const ExecImage image(program, args, options.environment);
  Pipe in, out, err;
  if (!options.outputPath.empty()) {
    CloseFd(out.read);
    CloseFd(out.write);
    out.write = open(options.outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  } else if (options.outputReaderGone) {
    CloseFd(out.read);
  }
  const auto start = Clock::now();
  const pid_t pid = Spawn(image, in.read, out.write, err.write);
  CloseFd(in.read);
  CloseFd(in.write);  // the program sees the end of its input at once
  CloseFd(out.write);
  CloseFd(err.write);
  if (pid < 0) return result;

  const bool ended = DrainOutputs(pid, out.read, err.read, result, start, start + options.timeout,
                                  options.signals);
  if (!ended) kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  if (ended) result.exitCode = ExitCodeOf(status);
  if (ended && WIFSIGNALED(status)) result.endedBySignal = WTERMSIG(status);
  CloseFd(out.read);
  CloseFd(err.read);
  return result;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args) {
  const ExecImage image(program, args, {});
  Pipe in, out;
  pid_ = Spawn(image, in.read, out.write, STDERR_FILENO);
  CloseFd(in.read);
  CloseFd(out.write);
  stdin_ = in.write;  // kept open: the emulator reads console commands from it
  stdout_ = out.read;
}

ChildProcess::~ChildProcess() {
  CloseFd(stdin_);
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200 && waitpid(pid_, &status, WNOHANG) == 0; ++i) usleep(10'000);
    if (waitpid(pid_, &status, WNOHANG) == 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
    }
  }
  CloseFd(stdout_);
}

std::string ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const std::size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 || stdout_ < 0) return {};
    pollfd fd = {stdout_, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[512];
    const ssize_t n = read(stdout_, buffer, sizeof buffer);
    if (n <= 0) return {};
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace zm48d::testing
