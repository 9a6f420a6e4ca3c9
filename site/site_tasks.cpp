#include "site/site_tasks.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "operations/controller_backup.h"
#include "operations/controller_status.h"
#include "operations/controller_verify.h"
#include "operations/device_operations.h"
#include "operations/operator_texts.h"
#include "operations/pc_clock.h"
#include "operations/send_sequence.h"

namespace zm48d::site {

namespace {

ControllerOutcome Done(bool ok, std::string summary) {
  return {ok, ok ? std::move(summary) : std::string(text::kSiteFailed), {}};
}

ops::ConfigurationFiles FilesOf(const SiteController& controller) {
  return {controller.holidays, controller.groups, controller.tags};
}

ControllerOutcome Verified(const ops::VerifyResult& result) {
  if (result.outcome == ops::VerifyOutcome::kFailed) return Done(false, {});
  if (result.outcome == ops::VerifyOutcome::kEqual)
    return Done(true, std::string(text::kSiteEqual));
  ControllerOutcome outcome{
      false, std::to_string(result.differences.size()) + std::string(text::kSiteDifferences), {}};
  return outcome;
}

}  // namespace

ControllerTask StatusTask() {
  return [](const ControllerWork& work) {
    const auto status = ops::ReadControllerStatus(work.session);
    return Done(status.has_value(), status ? ops::StatusLine(*status) : "");
  };
}

ControllerTask SendTask(bool verify) {
  return [verify](const ControllerWork& work) {
    const SiteController& c = work.controller;
    if (c.holidays.empty() || c.groups.empty()) {
      work.session.Fail(text::kSiteNoRuleFiles);
      return Done(false, {});
    }
    const ops::SendPaths paths{c.holidays, c.groups, c.tags};
    const ops::SendResult sent = ops::RunSendSequence(work.session, paths);
    using ops::StageOutcome;
    const bool ok = sent.rules == StageOutcome::kSent &&
                    (c.tags.empty() || sent.tags == StageOutcome::kSent) && sent.notified;
    if (!ok || !verify) return Done(ok, std::string(text::kSiteSent));
    ControllerOutcome outcome = Verified(ops::VerifyController(work.session, FilesOf(c)));
    if (outcome.ok) outcome.summary = text::kSiteSentAndVerified;
    return outcome;
  };
}

ControllerTask VerifyTask() {
  return [](const ControllerWork& work) {
    const SiteController& c = work.controller;
    if (c.holidays.empty() && c.groups.empty() && c.tags.empty()) {
      work.session.Fail(text::kSiteNoFiles);
      return Done(false, {});
    }
    return Verified(ops::VerifyController(work.session, FilesOf(work.controller)));
  };
}

ControllerTask BackupTask(std::string folder) {
  return [folder = std::move(folder)](const ControllerWork& work) {
    const std::filesystem::path into = std::filesystem::path(folder) / work.controller.name;
    const bool created = std::filesystem::create_directories(into);  // throws with the reason
    const ops::ConfigurationFiles files{(into / "feriados.txt").string(),
                                        (into / "grupos.txt").string(),
                                        (into / "lista.txt").string()};
    const bool saved = ops::BackupController(work.session, files);
    if (!saved && created) {
      // A controller that could not be read leaves no empty folder that looks like a backup.
      std::error_code ignored;
      std::filesystem::remove(into, ignored);
    }
    return Done(saved, std::string(text::kSiteBackupSaved) + into.string());
  };
}

ControllerTask ClockSyncTask() {
  return [](const ControllerWork& work) {
    const ops::ClockSetting setting = ops::PcClockSetting(ops::CurrentLocalTime());
    const bool ok = ops::SetClockFrom(
        work.session, [&] { return setting; }, text::kError);
    return Done(ok, std::string(text::kSiteClockSet) + setting.date + " " + setting.time);
  };
}

}  // namespace zm48d::site
