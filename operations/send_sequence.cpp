#include "operations/send_sequence.h"

#include "files/file_formats.h"
#include "files/line_file.h"
#include "operations/operator_texts.h"
#include "operations/readable_errors.h"
#include "protocol/commands.h"
#include "protocol/memory.h"
#include "protocol/uploads.h"

namespace zm48d::ops {

namespace {

bool RuleFilesMatch(const LineList& holidays, const LineList& groups) {
  return HasHeaderAndCount(holidays, kHolidaysHeader) && HasHeaderAndCount(groups, kGroupsHeader);
}

// A failed upload is reported with `failureText` (none when empty) while the
// port is still open, as every port cycle reports.
StageOutcome UploadTagListCycle(const Session& session, const std::string& tagsPath,
                                std::string_view failureText) {
  const PortCycle port(session, text::kOpenSerialFailed);
  if (!port) return StageOutcome::kPortNotOpen;
  LinkStatus status = link_status::kOk;
  const bool sent = WithReadableErrors(
      [&] { return UploadTagList(session.link, TagListStart, tagsPath, status); });
  if (sent) return StageOutcome::kSent;
  session.Fail(failureText);
  return StageOutcome::kFailed;
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
  if (!RuleFilesMatch(holidays, groups)) {
    session.Fail(text::kIncompatibleFiles);
    return StageOutcome::kIncompatible;
  }

  const PortCycle port(session, text::kRulesOpenFailed);
  if (!port) return StageOutcome::kPortNotOpen;
  LinkStatus status = link_status::kOk;
  const bool sent = WithReadableErrors(
      [&] { return UploadAccessRules(session.link, holidaysPath, groupsPath, status); });
  if (!sent) {
    session.Fail(text::kRulesFailed);
    return StageOutcome::kFailed;
  }
  return StageOutcome::kSent;
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
  SendResult result;
  result.rules = SendRulesStage(session, paths.holidays, paths.groups);
  result.tags = SendTagListStage(session, paths.tags);
  result.notified = NotifyStage(session);
  return result;
}

StageOutcome SendTagListFile(const Session& session, const std::string& tagsPath) {
  return UploadTagListCycle(session, tagsPath, {});
}

}  // namespace zm48d::ops
