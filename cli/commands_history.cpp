// harvest: the controller's events into the event store, then the stack emptied;
// history: what the store holds, filtered, as events prints it or summed per
// day and door.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "operations/event_harvest.h"
#include "operations/history_table.h"
#include "protocol/calendar.h"
#include "protocol/tag_read.h"
#include "store/event_store.h"

namespace zm48d::cli {

namespace {

constexpr int kDoors = 4;

// The store the words name, or the default one; a store that cannot be opened
// is a failure of the command, said with its reason.
std::unique_ptr<store::EventStore> OpenStore(CommandContext& context, const FileOptions& words) {
  const std::string url = words.Has("--db") ? words.Value("--db") : store::DefaultStoreLocation();
  auto opened = store::OpenEventStore(url);
  if (!opened.ok()) {
    context.err << "zm48d: event store " << url << ": " << opened.error() << '\n';
    return nullptr;
  }
  return std::move(opened.value());
}

// What a store query found, printed by `print`; a query that failed is a failure
// of the command, said with its reason.
template <class Found, class Print>
int PrintFound(CommandContext& context, const Found& found, Print print) {
  if (!found.ok()) {
    context.err << "zm48d: event store: " << found.error() << '\n';
    return kExitFailure;
  }
  print(found.value());
  return kExitSuccess;
}

// "DD/MM/YY" of a real day as the store keeps dates: "YYYY-MM-DD".
std::string StoreDate(std::string_view option, const std::string& text) {
  const auto day = ParseLocalDate(text);
  if (!day) {
    throw UsageError("history: " + std::string(option) + " must be a real date DD/MM/YY, not '" +
                     text + "'");
  }
  char date[16];
  std::snprintf(date, sizeof date, "20%02d-%02d-%02d", day->year, day->month, day->day);
  return date;
}

store::HistoryFilter ParseFilter(const FileOptions& words) {
  store::HistoryFilter filter;
  if (words.Has("--controller")) filter.controller = words.Value("--controller");
  if (words.Has("--tag")) {
    filter.tag = ParseTagNumber(words.Value("--tag"));
    if (!filter.tag) throw UsageError("history: --tag must be six hexadecimal digits");
  }
  if (words.Has("--from")) filter.from = StoreDate("--from", words.Value("--from"));
  if (words.Has("--to")) filter.to = StoreDate("--to", words.Value("--to"));
  if (words.Has("--door")) {
    filter.door = static_cast<int>(ParseNumberInRange(words.Value("--door"), "N", 1, kDoors));
  }
  filter.refusedOnly = words.Has("--refused");
  return filter;
}

}  // namespace

int RunHarvest(CommandContext& context) {
  static constexpr std::string_view kOptions[] = {"--db", "--controller"};
  static constexpr std::string_view kFlags[] = {"--keep"};
  const FileOptions words = ParseFileOptions("harvest", context.args, kOptions, kFlags);
  const std::string name =
      words.Has("--controller") ? words.Value("--controller") : context.portName;
  if (name.empty()) throw UsageError("harvest: --controller needs a name");
  // Opened before the port: a store that fails empties nothing.
  const auto eventStore = OpenStore(context, words);
  if (!eventStore) return kExitFailure;
  const ops::HarvestResult result =
      ops::HarvestEvents(context.session, *eventStore, name, words.Has("--keep"));
  return ExitStatus(result.ok());
}

int RunHistory(CommandContext& context) {
  static constexpr std::string_view kOptions[] = {"--db",   "--controller", "--tag",
                                                  "--from", "--to",         "--door"};
  static constexpr std::string_view kFlags[] = {"--refused", "--csv", "--summary"};
  const FileOptions words = ParseFileOptions("history", context.args, kOptions, kFlags);
  const store::HistoryFilter filter = ParseFilter(words);
  const auto eventStore = OpenStore(context, words);
  if (!eventStore) return kExitFailure;
  const bool csv = words.Has("--csv");
  if (words.Has("--summary")) {
    return PrintFound(context, eventStore->Summarize(filter),
                      [&](const auto& days) { ops::PrintSummary(context.out, days, csv); });
  }
  return PrintFound(context, eventStore->Query(filter),
                    [&](const auto& events) { ops::PrintHistory(context.out, events, csv); });
}

}  // namespace zm48d::cli
