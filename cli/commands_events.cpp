// events: the controller's event stack, decoded, oldest first (optionally emptied
// afterwards as the hidden test button of the "Pilha" page does); watch: the
// online reading of the "Leitura OnLine" page, one line per poll.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/event_table.h"
#include "cli/poll_tally.h"
#include "cli/standard_output.h"
#include "cli/stop_signals.h"
#include "operations/event_download.h"
#include "operations/online_reading_line.h"
#include "operations/operator_texts.h"

namespace zm48d::cli {

namespace {

constexpr int kDefaultIntervalMs = 1000;  // the window's timer
// After a failed poll the controller may still be sending that reading's second
// frame. The next poll waits at least as long as the reading would have waited
// for that frame (the header bound, 300*4 + 200 ms), by when it has come and the
// next request's purge drops it; sooner, the poll could take it for its own
// first frame.
constexpr int kPauseAfterFailedPollMs = 1400;
constexpr std::uint64_t kLongestIntervalMs = 24ull * 60 * 60 * 1000;
constexpr std::uint64_t kMostPolls = 0xFFFFFFFFull;

// ---- events ------------------------------------------------------------------

struct EventsOptions {
  bool clear = false;
  bool csv = false;
};

EventsOptions ParseEventsOptions(const std::vector<std::string>& args) {
  EventsOptions options;
  for (const std::string& word : args) {
    bool* flag = nullptr;
    if (word == "--clear") flag = &options.clear;
    if (word == "--csv") flag = &options.csv;
    if (flag == nullptr) throw UsageError("events takes --clear and --csv, not '" + word + "'");
    if (*flag) throw UsageError(word + " given twice");
    *flag = true;
  }
  return options;
}

// ---- watch -------------------------------------------------------------------

struct WatchOptions {
  std::optional<std::uint64_t> count;
  int intervalMs = kDefaultIntervalMs;
};

WatchOptions ParseWatchOptions(const std::vector<std::string>& args) {
  WatchOptions options;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    const std::string& word = args[i];
    if (word != "--count" && word != "--interval") {
      throw UsageError("watch takes --count N and --interval MS, not '" + word + "'");
    }
    if (i + 1 >= args.size()) throw UsageError(word + " needs a value");
    if (word == "--count") {
      options.count = ParseNumberInRange(args[i + 1], "N", 1, kMostPolls);
    } else {
      options.intervalMs =
          static_cast<int>(ParseNumberInRange(args[i + 1], "MS", 0, kLongestIntervalMs));
    }
  }
  return options;
}

// What a stop left on the controller, by how far the clearing download got.
std::string_view WhenStopped(ops::ClearingOutcome outcome) {
  using enum ops::ClearingOutcome;
  switch (outcome) {
    case kCleared: return "the rows were all written, then the stack was emptied";
    case kClearUncertain: return "the rows were all written; the stack may or may not be empty";
    case kNotLeft:
      return "the rows were all written and the stack emptied; the controller may still be in "
             "download mode";
    default: return "the events are still on the controller";
  }
}

}  // namespace

int RunEvents(CommandContext& context) {
  const EventsOptions options = ParseEventsOptions(context.args);
  if (!options.clear) {
    // As "Descarregar Registros": the stack is only read. An empty stack is a
    // result here, printed with the events, not a message.
    std::vector<std::uint8_t> records;
    const bool ok = ops::ReadWaitingEventsInto(
        context.session, [&](const std::vector<std::uint8_t>& read) { records = read; },
        {.headerFailed = text::kStackReadFailed, .empty = {}});
    if (ok) PrintEvents(context.out, records, options.csv);
    return ExitStatus(ok);
  }
  // As the hidden test button of "Pilha", inside download mode; the rows are
  // written, flushed and the output closed before the stack is emptied.
  const auto keep = [&](std::span<const std::uint8_t> records) {
    std::ostringstream rows;
    PrintEvents(rows, records, options.csv);
    return WriteAndCloseStandardOutput(rows.str());
  };
  const ops::ClearingDownload download =
      ops::DownloadAndClearEvents(context.session, text::kOpenSerialFailed, keep);
  if (download.outcome == ops::ClearingOutcome::kNothingWaiting) {
    PrintEvents(context.out, {}, options.csv);
  }
  context.whenStopped = WhenStopped(download.outcome);
  return ExitStatus(download.ok());
}

// Polls like the page's timer: the first poll one interval after the start,
// each next one an interval after the previous one ended. A failed poll is a
// line of its own and the watch goes on; the exit status is that of the last.
int RunWatch(CommandContext& context) {
  const WatchOptions options = ParseWatchOptions(context.args);
  const StopSignals stop;
  if (!ops::StartOnlineReading(context.session)) {
    ops::ReportOpenFailure(context.session, text::kOnlineOpenFailed);
    return kExitFailure;
  }
  const PortCloser closer(context.session.link.serial);
  PollTally tally;
  int waitMs = options.intervalMs;
  for (std::uint64_t polls = 0; !options.count || polls < *options.count; ++polls) {
    if (stop.StopWithin(waitMs)) break;
    const ops::OnlinePoll poll = ops::PollOnline(context.session.link);
    context.out << poll.line << std::endl;
    tally.Count(poll.ok);
    waitMs = poll.ok ? options.intervalMs : std::max(options.intervalMs, kPauseAfterFailedPollMs);
  }
  return tally.Report(context.err);
}

}  // namespace zm48d::cli
