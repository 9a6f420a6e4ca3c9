#include "operations/upload_refusal_text.h"

#include "operations/operator_texts.h"

namespace zm48d::ops {

std::string UploadRefusalText(UploadRefusal refusal, const ConfigurationFiles& files) {
  using enum UploadRefusal;
  switch (refusal) {
    case kHolidaysMissing: return files.holidays + std::string(text::kCheckNoSuchFile);
    case kGroupsMissing: return files.groups + std::string(text::kCheckNoSuchFile);
    case kTagsMissing: return files.tags + std::string(text::kCheckNoSuchFile);
    case kHolidaysWrongHeader: return files.holidays + std::string(text::kCheckNotHolidays);
    case kGroupsWrongHeader: return files.groups + std::string(text::kCheckNotGroups);
    case kTagsWrongHeader: return files.tags + std::string(text::kCheckNotTags);
    case kHolidaysCount: return files.holidays + std::string(text::kCheckTableCount);
    case kGroupsCount: return files.groups + std::string(text::kCheckTableCount);
    case kTagsCount: return files.tags + std::string(text::kCheckTagCount);
    case kRulesTooLarge:
      return files.holidays + " + " + files.groups + std::string(text::kCheckRulesTooLarge);
    case kTagsTooLarge: return files.tags + std::string(text::kCheckTagsTooLarge);
    case kNone: break;
  }
  return {};
}

bool IsHeaderRefusal(UploadRefusal refusal) {
  return refusal == UploadRefusal::kHolidaysWrongHeader ||
         refusal == UploadRefusal::kGroupsWrongHeader;
}

}  // namespace zm48d::ops
