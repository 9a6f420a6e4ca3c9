// check: the decisions a controller would make on tag reads once these files
// were sent to it, tried here with no controller and no port, and printed as
// `zm48d events` prints the events they leave.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/event_table.h"
#include "cli/usage_error.h"
#include "operations/access_check.h"
#include "operations/operator_texts.h"

namespace zm48d::cli {

namespace {

constexpr int kExitSomeRefused = 3;

struct CheckOptions {
  ops::CheckFiles files;
  std::optional<std::string> readsPath;
  std::optional<TagRead> read;  // the one given on the command line
  bool csv = false;
};

// DOOR TAG "DD/MM/YY HH:MM:SS"; the date and the time may also be two words.
TagRead ParseReadWords(const std::vector<std::string>& words) {
  if (words.size() != 3 && words.size() != 4) {
    throw UsageError("check: " + std::string(text::kCheckReadShape));
  }
  const std::string time = words.size() == 4 ? words[2] + " " + words[3] : words[2];
  const ParsedRead parsed = ParseTagRead(words[0], words[1], time);
  if (parsed.fault == ReadFault::kNone) return parsed.read;
  const std::string& bad = parsed.fault == ReadFault::kDoor  ? words[0]
                           : parsed.fault == ReadFault::kTag ? words[1]
                                                             : time;
  throw UsageError("check: " + std::string(ops::ReadFaultText(parsed.fault)) + ", not '" + bad +
                   "'");
}

CheckOptions ParseCheckOptions(const std::vector<std::string>& args) {
  std::map<std::string, std::string> values;
  std::vector<std::string> readWords;
  CheckOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--csv") {
      if (options.csv) throw UsageError("check: --csv given twice");
      options.csv = true;
    } else if (word == "--holidays" || word == "--groups" || word == "--tags" ||
               word == "--swipes") {
      if (i + 1 >= args.size()) throw UsageError("check: " + word + " needs a file name");
      if (!values.emplace(word, args[++i]).second)
        throw UsageError("check: " + word + " given twice");
    } else if (word.starts_with("--")) {
      throw UsageError("check: unknown option '" + word + "'");
    } else {
      readWords.push_back(word);
    }
  }
  if (!values.contains("--holidays") || !values.contains("--groups") ||
      !values.contains("--tags")) {
    throw UsageError("check needs --holidays FILE, --groups FILE and --tags FILE");
  }
  options.files = {values["--holidays"], values["--groups"], values["--tags"]};
  if (values.contains("--swipes")) options.readsPath = values["--swipes"];
  if (!readWords.empty()) options.read = ParseReadWords(readWords);
  if (!options.readsPath && !options.read) {
    throw UsageError("check needs reads: --swipes FILE, or DOOR TAG \"DD/MM/YY HH:MM:SS\"");
  }
  return options;
}

}  // namespace

// The reads of the file first, then the one on the command line. Files that a
// send would refuse, or a bad line among the reads, fail before any row.
int RunCheck(CommandContext& context) {
  const CheckOptions options = ParseCheckOptions(context.args);
  const auto memory = ops::MemoryAfterSend(options.files, context.notices);
  if (!memory) return kExitFailure;
  std::vector<TagRead> reads;
  if (options.readsPath) {
    auto loaded = ops::LoadReads(*options.readsPath, context.notices);
    if (!loaded) return kExitFailure;
    reads = std::move(*loaded);
  }
  if (options.read) reads.push_back(*options.read);
  const ops::CheckOutcome outcome = ops::CheckReads(*memory, reads);
  PrintEvents(context.out, outcome.records, options.csv);
  return outcome.allGranted ? kExitSuccess : kExitSomeRefused;
}

}  // namespace zm48d::cli
