#include "app/groups_header.h"

#include <string_view>

#include "app/message_sink.h"
#include "operations/operator_texts.h"

namespace zm48d {

QStringList GroupsHeaderRow() {
  QStringList header{QStringLiteral("Grupo")};
  for (std::string_view day : text::kWindowDays) {
    header << FromUtf8(day) + FromUtf8(text::kWindowStart)
           << FromUtf8(day) + FromUtf8(text::kWindowEnd);
  }
  header << FromUtf8(text::kHolidayPermission);
  return header;
}

}  // namespace zm48d
