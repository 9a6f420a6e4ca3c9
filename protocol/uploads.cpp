#include "protocol/uploads.h"

#include "protocol/config_block.h"
#include "files/file_formats.h"
#include "files/line_file.h"
#include "protocol/memory.h"
#include "protocol/rules_image.h"
#include "files/runtime_errors.h"
#include "protocol/tag_image.h"

namespace zm48d {

namespace {

// An empty table sends nothing and counts as written.
bool WriteTable(LinkState& link, int address, const std::vector<std::uint8_t>& table,
                LinkStatus& status) {
  if (table.empty()) return true;
  return WriteEeprom(link, address, static_cast<int>(table.size()), table.data(), status);
}

}  // namespace

bool UploadAccessRules(LinkState& link, const std::string& holidaysPath,
                       const std::string& groupsPath, LinkStatus& status) {
  if (!FileExists(holidaysPath) || !FileExists(groupsPath)) return false;
  const LineList holidays = LoadLines(holidaysPath);
  const LineList groups = LoadLines(groupsPath);
  if (!HasHeaderAndCount(holidays, kHolidaysHeader) || !HasHeaderAndCount(groups, kGroupsHeader)) {
    return false;
  }
  // Counts the one-byte header fields cannot hold, or tables reaching past the
  // area, would leave the controller with a layout that loses groups or
  // overwrites memory it does not own: refuse them before anything is sent.
  const int h = CountLineValue(holidays);
  const int g = CountLineValue(groups);
  if (h < 0 || g < 0 || h > 255 || g > 255 || !RulesFit(h, g)) return false;

  const RulesImage image = BuildRulesImage(holidays, groups);
  return WriteEeprom(link, 0, static_cast<int>(image.header.size()), image.header.data(), status) &&
         WriteTable(link, HolidayTableStart, image.holidays, status) &&
         WriteTable(link, image.groupTableAddress, image.groups, status);
}

bool UploadTagList(LinkState& link, int startAddress, const std::string& path, LinkStatus& status) {
  if (!FileExists(path)) return false;
  const LineList file = LoadLines(path);
  if (!HasHeader(file, kTagListHeader)) return false;
  const int count = CountLineValue(file);
  if (count < 0) return false;
  // The whole image is built before anything is sent, so a file with fewer data
  // lines than its count leaves the controller untouched.
  const auto image = BuildTagListImage(file, count);
  if (!TagListFits(static_cast<std::uint16_t>(startAddress), image.size())) return false;

  if (!WriteTagListInfo(link, startAddress, count, status)) return false;
  int address = startAddress;
  for (const Page& page : SplitIntoPages(image)) {
    if (!WritePage(link, address, page, status)) return false;
    address += kPageSize;
  }
  return true;
}

}  // namespace zm48d
