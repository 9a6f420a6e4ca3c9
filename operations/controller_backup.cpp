#include "operations/controller_backup.h"

#include "operations/controller_readback.h"
#include "operations/kept_descriptions.h"
#include "operations/operator_texts.h"
#include "protocol/readback_files.h"

namespace zm48d::ops {

bool BackupController(const Session& session, const ConfigurationFiles& files) {
  const auto contents = ReadControllerBack(session, {});
  if (!contents) return false;
  const TagListReading& tags = contents->tags;
  const KeptFile holidays =
      KeepHolidayDescriptions(files.holidays, HolidaysFileOf(contents->rules.holidays));
  const KeptFile tagList =
      KeepTagDescriptions(files.tags, TagListFileOf(tags.image, tags.layout.count));
  SaveLineFilesAtomically({{files.holidays, holidays.lines},
                           {files.groups, GroupsFileOf(contents->rules.groups)},
                           {files.tags, tagList.lines}});
  // Told once the files are saved: a backup that fails keeps every description.
  if (holidays.lost) session.notices.DescriptionsNotKept(files.holidays, *holidays.lost);
  if (tagList.lost) session.notices.DescriptionsNotKept(files.tags, *tagList.lost);
  session.Note(text::kBackupDone);
  return true;
}

}  // namespace zm48d::ops
