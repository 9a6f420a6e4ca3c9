// The command line's words, any of them: the options parse or are refused as
// bad usage, and each command checks its words before it opens the port (here a
// port that never opens), so a command ends in one of its exit statuses and
// never in another error.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cli/command.h"
#include "cli/command_table.h"
#include "cli/options.h"
#include "cli/usage_error.h"
#include "fuzz/fuzz_check.h"
#include "link/serial_link.h"

namespace zm48d::fuzz {
namespace {

class ClosedLine final : public SerialLink {
 public:
  bool OpenDevice(int, std::uint32_t) override { return false; }
  void CloseDevice() override { FUZZ_CHECK(false); }
  bool Write(const std::uint8_t*, int, int& written) override {
    written = 0;
    FUZZ_CHECK(false);
    return false;
  }
  bool Read(int, std::uint8_t*, int& read) override {
    read = 0;
    FUZZ_CHECK(false);
    return false;
  }
  void Purge(unsigned) override {}
};

// A file argument names a file in the working folder at most: a fuzzed word
// never reads a device such as /dev/zero.
bool NamesAPath(const std::vector<std::string>& words) {
  return std::any_of(words.begin(), words.end(),
                     [](const std::string& word) { return word.find('/') != std::string::npos; });
}

int RunCommand(const cli::CommandEntry& command, cli::Options& options) {
  ClosedLine device;
  LinkState link(device);
  link.HeadAddress = options.head;
  std::ostringstream out, err;
  cli::CommandContext context{std::move(options.args), link, options.comPort, "COM1", out, err};
  try {
    return command.run(context);
  } catch (const cli::UsageError&) {
    return cli::kExitUsage;
  } catch (const std::runtime_error&) {
    return cli::kExitFailure;  // the runtime's errors, as the window's error box shows them
  }
}

}  // namespace
}  // namespace zm48d::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zm48d;
  const std::vector<std::string> words = fuzz::NulSeparatedWords({data, size});
  if (fuzz::NamesAPath(words)) return 0;
  cli::Options options;
  try {
    options = cli::ParseOptions(words);
  } catch (const cli::UsageError&) {
    return 0;
  }
  FUZZ_CHECK(options.comPort >= cli::kFirstComPort && options.comPort <= cli::kLastComPort);
  if (options.help || options.version) return 0;
  const cli::CommandEntry* command = cli::FindCommand(options.command);
  if (command == nullptr) return 0;
  // The event store's commands open a database, not the port: not for this target.
  if (command->name == "harvest" || command->name == "history") return 0;
  const int status = fuzz::RunCommand(*command, options);
  FUZZ_CHECK(status == cli::kExitFailure || status == cli::kExitUsage);
  return 0;
}
