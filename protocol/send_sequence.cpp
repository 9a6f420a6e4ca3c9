#include "protocol/send_sequence.h"

#include <stdexcept>

#include "protocol/commands.h"
#include "protocol/cp1252.h"
#include "protocol/file_headers.h"
#include "protocol/line_file.h"
#include "protocol/memory.h"
#include "protocol/runtime_errors.h"
#include "protocol/transfer_texts.h"
#include "protocol/uploads.h"

namespace zm48d {

namespace {

bool RuleFilesMatch(const LineList& holidays, const LineList& groups) {
  return holidays.size() >= 2 && groups.size() >= 2 && HasHeader(holidays, HolidaysHeader) &&
         HasHeader(groups, GroupsHeader);
}

// A count or group field that is not a number is quoted in the error's text as
// the file holds it, in Windows-1252; the operator reads UTF-8.
template <class Operation>
auto WithReadableErrors(Operation operation) {
  try {
    return operation();
  } catch (const ConversionError& error) {
    throw std::runtime_error(Cp1252ToUtf8(error.what()));
  }
}

// A failed upload is reported with `failureText` (none when empty) while the
// port is still open, as every port cycle reports.
StageOutcome UploadTagListCycle(LinkState& link, int portNumber, const std::string& tagsPath,
                                const ShowMessage& show, std::string_view failureText) {
  if (!SerialOpen(link.serial, portNumber)) {
    show(transfer_text::kTagsOpenFailed);
    return StageOutcome::kPortNotOpen;
  }
  PortCloser closer(link.serial);
  LinkStatus status = link_status::kOk;
  const bool sent =
      WithReadableErrors([&] { return UploadTagList(link, TagListStart, tagsPath, status); });
  if (sent) return StageOutcome::kSent;
  if (!failureText.empty()) show(failureText);
  return StageOutcome::kFailed;
}

}  // namespace

StageOutcome SendRulesStage(LinkState& link, int portNumber, const std::string& holidaysPath,
                            const std::string& groupsPath, const ShowMessage& show) {
  if (holidaysPath.empty() || groupsPath.empty()) {
    show(transfer_text::kChooseFiles);
    return StageOutcome::kNotChosen;
  }
  // Checked here, before any port is opened, so that the wrong files cost the
  // operator no port cycle and get a message of their own.
  const LineList holidays = LoadLines(holidaysPath);
  const LineList groups = LoadLines(groupsPath);
  if (!RuleFilesMatch(holidays, groups)) {
    show(transfer_text::kIncompatibleFiles);
    return StageOutcome::kIncompatible;
  }

  if (!SerialOpen(link.serial, portNumber)) {
    show(transfer_text::kRulesOpenFailed);
    return StageOutcome::kPortNotOpen;
  }
  PortCloser closer(link.serial);
  LinkStatus status = link_status::kOk;
  const bool sent = WithReadableErrors(
      [&] { return UploadAccessRules(link, holidaysPath, groupsPath, status); });
  if (!sent) {
    show(transfer_text::kRulesFailed);
    return StageOutcome::kFailed;
  }
  return StageOutcome::kSent;
}

StageOutcome SendTagListStage(LinkState& link, int portNumber, const std::string& tagsPath,
                              const ShowMessage& show) {
  if (tagsPath.empty()) {
    show(transfer_text::kTagsNotChosen);
    return StageOutcome::kNotChosen;
  }
  return UploadTagListCycle(link, portNumber, tagsPath, show, transfer_text::kTagsFailed);
}

bool NotifyStage(LinkState& link, int portNumber) {
  if (!SerialOpen(link.serial, portNumber)) return false;
  PortCloser closer(link.serial);
  LinkStatus status = link_status::kOk;
  return NotifyMemoryUpdated(link, status);
}

SendResult RunSendSequence(LinkState& link, int portNumber, const SendPaths& paths,
                           const ShowMessage& show) {
  SendResult result;
  result.rules = SendRulesStage(link, portNumber, paths.holidays, paths.groups, show);
  result.tags = SendTagListStage(link, portNumber, paths.tags, show);
  result.notified = NotifyStage(link, portNumber);
  return result;
}

StageOutcome SendTagListFile(LinkState& link, int portNumber, const std::string& tagsPath,
                             const ShowMessage& show) {
  return UploadTagListCycle(link, portNumber, tagsPath, show, {});
}

}  // namespace zm48d
