// `zm48d beep` as a user runs it: the process started, the port opened, one
// request and its answer, the port closed, the process ended. Target: well
// under a second on an idle machine.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "emulator/pty_emulator.h"
#include "tests/cli/child_process.h"

namespace zm48d {
namespace {

void BM_BeepCommand(benchmark::State& state) {
  emu::PtyEmulator emulator;
  const std::string program = testing::BuildExecutable("zm48d");
  for (auto _ : state) {
    const testing::ProcessResult result =
        testing::RunProgram(program, {"--port", emulator.TerminalPath(), "beep"});
    if (result.exitCode != 0) {
      state.SkipWithError(("beep failed: " + result.err).c_str());
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(result.elapsed).count());
  }
}
BENCHMARK(BM_BeepCommand)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zm48d
