// site FILE COMMAND: one operation on every controller of a site at once.
#include <cstddef>
#include <span>
#include <string>

#include "cli/commands.h"
#include "cli/site_progress.h"
#include "cli/terminal.h"
#include "cli/usage_error.h"
#include "site/site_file.h"
#include "site/site_tasks.h"
#ifndef _WIN32
#include "site/site_harvest.h"
#include "store/event_store.h"
#endif

namespace zm48d::cli {

namespace {

// The task the words name; a UsageError for anything else.
site::ControllerTask TaskOf(std::span<const std::string> words) {
  const std::string& command = words[0];
  const auto rest = words.subspan(1);
  const auto none = [&] {
    if (!rest.empty()) throw UsageError("site " + command + " takes no '" + rest[0] + "'");
  };
  if (command == "status") return none(), site::StatusTask();
  if (command == "verify") return none(), site::VerifyTask();
  if (command == "send") {
    if (rest.size() > 1 || (rest.size() == 1 && rest[0] != "--verify")) {
      throw UsageError("site send takes only --verify");
    }
    return site::SendTask(rest.size() == 1);
  }
  if (command == "backup") {
    if (rest.size() != 1) throw UsageError("site backup needs one folder: site FILE backup DIR");
    return site::BackupTask(rest[0]);
  }
  if (command == "clock") {
    if (rest.size() != 1 || rest[0] != "--sync") throw UsageError("site clock needs --sync");
    return site::ClockSyncTask();
  }
#ifndef _WIN32
  if (command == "harvest") {
    if (rest.empty()) return site::HarvestTask(store::DefaultStoreLocation());
    if (rest.size() == 2 && rest[0] == "--db") return site::HarvestTask(rest[1]);
    throw UsageError("site harvest takes only --db URL");
  }
#endif
  throw UsageError("site: unknown command '" + command + "'");
}

}  // namespace

int RunSite(CommandContext& context) {
  if (context.args.size() < 2) throw UsageError("site needs a site file and a command");
  const std::span<const std::string> words(context.args);
  const site::ControllerTask task = TaskOf(words.subspan(1));
  const Result<site::Site> reading = site::ReadSiteFile(words[0]);
  if (!reading.ok()) {
    context.err << "zm48d: " << reading.error() << '\n';
    return kExitFailure;
  }
  const site::Site& site = reading.value();
  SiteProgress progress(site, context.out, RedrawableStandardOutput());
  const auto outcomes = site::RunOnEveryController(site, task, progress);
  PrintSiteSummary(context.out, site, outcomes);
  bool allOk = true;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    if (outcomes[i].ok) continue;
    allOk = false;
    for (const std::string& failure : outcomes[i].failures) {
      context.err << "zm48d: " << site.controllers[i].name << ": " << failure << '\n';
    }
  }
  return ExitStatus(allOk);
}

}  // namespace zm48d::cli
