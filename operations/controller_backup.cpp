#include "operations/controller_backup.h"

#include "operations/controller_readback.h"
#include "operations/operator_texts.h"
#include "protocol/readback_files.h"

namespace zm48d::ops {

bool BackupController(const Session& session, const ConfigurationFiles& files) {
  const auto contents = ReadControllerBack(session, {});
  if (!contents) return false;
  const TagListReading& tags = contents->tags;
  SaveLineFilesAtomically({{files.holidays, HolidaysFileOf(contents->rules.holidays)},
                           {files.groups, GroupsFileOf(contents->rules.groups)},
                           {files.tags, TagListFileOf(tags.image, tags.layout.count)}});
  session.Note(text::kBackupDone);
  return true;
}

}  // namespace zm48d::ops
