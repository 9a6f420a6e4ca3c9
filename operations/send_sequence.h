#pragma once
// Sending a whole configuration to the controller: the access rules, the tag
// list, then the notice that its memory was rewritten. Each stage is a port
// cycle of its own (open, operate, report, close) on "COM portNumber"; a stage
// that fails on the line does not stop the next one, and nothing is rolled back.
// Files are checked before the first stage, so no stage is refused its file.
// The window's "Enviar para o aparelho" and the command line's `send` both run
// it; its texts go to the session's notices while the port is still open.
#include <string>

#include "operations/configuration_files.h"
#include "operations/session.h"

namespace zm48d::ops {

enum class StageOutcome {
  kSent,          // every frame written and acknowledged
  kNotChosen,     // no path given: nothing sent
  kIncompatible,  // wrong or short files: nothing sent, the port not opened
  kPortNotOpen,   // the port did not open: nothing sent
  kFailed,        // the upload refused the files or a frame failed
};

using SendPaths = ConfigurationFiles;

struct SendResult {
  StageOutcome rules = StageOutcome::kNotChosen;
  StageOutcome tags = StageOutcome::kNotChosen;
  bool notified = false;
};

// Rules stage: both paths chosen, both files with their header and count lines,
// then UploadAccessRules in a port cycle.
StageOutcome SendRulesStage(const Session& session, const std::string& holidaysPath,
                            const std::string& groupsPath);

// Tag list stage: UploadTagList from TagListStart in a port cycle; the file's
// header is left to the upload to check.
StageOutcome SendTagListStage(const Session& session, const std::string& tagsPath);

// Notify stage: NotifyMemoryUpdated in a port cycle of its own, silent whatever
// happens. True when the controller acknowledged it.
bool NotifyStage(const Session& session);

// Every chosen file read and checked first, then the three stages in order. A
// file that its stage would refuse ends the send before any port is opened,
// with the stage's failure text and, as its explanation, the file and why; an
// error raised while reading a file (one that cannot be opened, a count that is
// no number, a missing data line) ends it there too, before any frame.
SendResult RunSendSequence(const Session& session, const SendPaths& paths);

// "Enviar lista para o aparelho": the tag list alone, without the notice. Only
// a port that does not open is reported; the outcome is returned.
StageOutcome SendTagListFile(const Session& session, const std::string& tagsPath);

}  // namespace zm48d::ops
