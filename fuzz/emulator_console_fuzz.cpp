// The emulator's console, one command a line, from any text: each line gets an
// answer (an error text for a bad one) and leaves the emulator serving.
#include <cstddef>
#include <cstdint>
#include <string>

#include "emulator/console.h"
#include "emulator/pty_emulator.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zm48d;
  // One emulator for the whole run (it opens a pseudo-terminal and a thread),
  // put back to a fresh controller and no fault for each input.
  static emu::PtyEmulator emulator;
  emulator.With([](emu::Controller& c) { c = emu::Controller{}; });
  emulator.SetFault({});

  const std::string text = fuzz::AsText({data, size});
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    const std::string answer = emu::RunConsoleCommand(emulator, line);
    FUZZ_CHECK(!answer.empty() || line.find_first_not_of(" \t\r\v\f") == std::string::npos);
    start = end + 1;
  }
  return 0;
}
