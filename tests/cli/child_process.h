#pragma once
// Runs the real executables of the build (zm48d, zm48d-emulator) as child
// processes, with their output captured, for end-to-end tests.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace zm48d::testing {

// `name` in the build directory that holds the executables.
std::string BuildExecutable(const std::string& name);

struct ProcessResult {
  int exitCode = -1;      // -1 when the program did not end by itself in time, or a signal ended it
  int endedBySignal = 0;  // the signal that ended it, if one did
  std::string out;
  std::string err;
  std::chrono::milliseconds elapsed{0};  // from start to exit, process start included
};

// Runs `program` with `args` to its end; `environment` entries ("NAME=value")
// are added to this process's environment, replacing equal names. A program
// still running after `timeout` is killed.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment = {},
                         std::chrono::milliseconds timeout = std::chrono::seconds(15));

// A signal sent to the program `after` its start.
struct TimedSignal {
  std::chrono::milliseconds after;
  int signal;
};

// How RunProgram runs a program beyond its words.
struct RunOptions {
  std::vector<std::string> environment;
  std::chrono::milliseconds timeout = std::chrono::seconds(15);
  // Where its standard output goes instead of into the result: a file opened
  // for writing (created or emptied), such as /dev/full.
  std::string outputPath;
  // Its standard output is a pipe whose reading end is already closed.
  bool outputReaderGone = false;
  std::vector<TimedSignal> signals;  // in the order of their times
};
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const RunOptions& options);

// A program that keeps running beside the test: its standard output can be read
// line by line; it is ended (SIGTERM, then SIGKILL) when the object goes.
class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& args);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  // The next line of its standard output, without the line end; empty on timeout.
  std::string ReadLine(std::chrono::milliseconds timeout);

 private:
  pid_t pid_ = -1;
  int stdin_ = -1;
  int stdout_ = -1;
  std::string pending_;
};

}  // namespace zm48d::testing
