#include "operations/send_sequence.h"

#include <functional>
#include <string_view>

#include "files/line_file.h"
#include "operations/operator_texts.h"
#include "operations/progress_report.h"
#include "operations/readable_errors.h"
#include "operations/upload_refusal_text.h"
#include "protocol/commands.h"
#include "protocol/memory.h"
#include "protocol/upload_images.h"
#include "protocol/uploads.h"

namespace zm48d::ops {

namespace {

// What a stage sends, the status of its frames in `status`; true when all went.
using Upload = std::function<bool(LinkStatus& status)>;

// One port cycle of a stage: a port that does not open is reported with
// `openFailure`, the notices show `caption` while `upload` runs, and a failed
// upload is reported with `failureText` (none when empty) while the port is still
// open, as every port cycle reports.
StageOutcome UploadCycle(const Session& session, std::string_view openFailure,
                         std::string_view caption, std::string_view failureText,
                         const Upload& upload) {
  const PortCycle port(session, openFailure);
  if (!port) return StageOutcome::kPortNotOpen;
  const ProgressReport progress(session, caption);
  LinkStatus status = link_status::kOk;
  if (WithReadableErrors([&] { return upload(status); })) return StageOutcome::kSent;
  session.Fail(failureText);
  return StageOutcome::kFailed;
}

StageOutcome UploadTagListCycle(const Session& session, const std::string& tagsPath,
                                std::string_view failureText) {
  return UploadCycle(session, text::kOpenSerialFailed, text::kSendingTags, failureText,
                     [&](LinkStatus& status) {
                       return UploadTagList(session.link, TagListStart, tagsPath, status);
                     });
}

// The rules files as their stage would take them; nothing to check when a path
// is empty, which the stage itself reports. Loading throws as the stage's would.
StageOutcome CheckRulesFiles(const Session& session, const SendPaths& paths) {
  if (paths.holidays.empty() || paths.groups.empty()) return StageOutcome::kNotChosen;
  const UploadRefusal wrong = CheckRulesHeaders(LoadLines(paths.holidays), LoadLines(paths.groups));
  const auto uploadRefusal = [&] { return BuildRulesUpload(paths.holidays, paths.groups).refusal; };
  const UploadRefusal refusal =
      wrong != UploadRefusal::kNone ? wrong : WithReadableErrors(uploadRefusal);
  if (refusal == UploadRefusal::kNone) return StageOutcome::kSent;
  session.Fail(IsHeaderRefusal(refusal) ? text::kIncompatibleFiles : text::kRulesFailed);
  session.Explain(UploadRefusalText(refusal, paths));
  return IsHeaderRefusal(refusal) ? StageOutcome::kIncompatible : StageOutcome::kFailed;
}

StageOutcome CheckTagListFile(const Session& session, const SendPaths& paths) {
  if (paths.tags.empty()) return StageOutcome::kNotChosen;
  const UploadRefusal refusal =
      WithReadableErrors([&] { return BuildTagListUpload(TagListStart, paths.tags).refusal; });
  if (refusal == UploadRefusal::kNone) return StageOutcome::kSent;
  session.Fail(text::kTagsFailed);
  session.Explain(UploadRefusalText(refusal, paths));
  return StageOutcome::kFailed;
}

bool Refused(StageOutcome outcome) {
  return outcome == StageOutcome::kIncompatible || outcome == StageOutcome::kFailed;
}

}  // namespace

StageOutcome SendRulesStage(const Session& session, const std::string& holidaysPath,
                            const std::string& groupsPath) {
  if (holidaysPath.empty() || groupsPath.empty()) {
    session.Fail(text::kChooseFiles);
    return StageOutcome::kNotChosen;
  }
  // Checked here, before any port is opened, so that the wrong files cost the
  // operator no port cycle and get a message of their own.
  const LineList holidays = LoadLines(holidaysPath);
  const LineList groups = LoadLines(groupsPath);
  if (CheckRulesHeaders(holidays, groups) != UploadRefusal::kNone) {
    session.Fail(text::kIncompatibleFiles);
    return StageOutcome::kIncompatible;
  }

  return UploadCycle(session, text::kRulesOpenFailed, text::kSendingRules, text::kRulesFailed,
                     [&](LinkStatus& status) {
                       return UploadAccessRules(session.link, holidaysPath, groupsPath, status);
                     });
}

StageOutcome SendTagListStage(const Session& session, const std::string& tagsPath) {
  if (tagsPath.empty()) {
    session.Fail(text::kTagsNotChosen);
    return StageOutcome::kNotChosen;
  }
  return UploadTagListCycle(session, tagsPath, text::kTagsFailed);
}

bool NotifyStage(const Session& session) {
  const PortCycle port(session, {});
  if (!port) return false;
  LinkStatus status = link_status::kOk;
  return NotifyMemoryUpdated(session.link, status);
}

SendResult RunSendSequence(const Session& session, const SendPaths& paths) {
  // Every chosen file is checked before the first frame: a tag list refused
  // after the rules were written would leave the controller's new groups beside
  // its old list, each tag pointing at another group's windows.
  const StageOutcome rulesCheck = CheckRulesFiles(session, paths);
  const StageOutcome tagsCheck = CheckTagListFile(session, paths);
  if (Refused(rulesCheck) || Refused(tagsCheck)) {
    return {Refused(rulesCheck) ? rulesCheck : StageOutcome::kNotChosen,
            Refused(tagsCheck) ? tagsCheck : StageOutcome::kNotChosen, false};
  }
  // After a stop no later stage opens the port: each would only fail its first frame.
  SendResult result;
  result.rules = SendRulesStage(session, paths.holidays, paths.groups);
  if (session.link.StopRequested()) return result;
  result.tags = SendTagListStage(session, paths.tags);
  if (session.link.StopRequested()) return result;
  result.notified = NotifyStage(session);
  return result;
}

StageOutcome SendTagListFile(const Session& session, const std::string& tagsPath) {
  return UploadTagListCycle(session, tagsPath, {});
}

}  // namespace zm48d::ops
