#include "protocol/uploads.h"

#include <cstdint>
#include <vector>

#include "protocol/config_block.h"
#include "protocol/memory.h"
#include "protocol/tag_image.h"
#include "protocol/upload_images.h"

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
  const RulesUpload upload = BuildRulesUpload(holidaysPath, groupsPath);
  if (upload.refusal != UploadRefusal::kNone) return false;
  const RulesImage& image = upload.image;
  return WriteEeprom(link, 0, static_cast<int>(image.header.size()), image.header.data(), status) &&
         WriteTable(link, HolidayTableStart, image.holidays, status) &&
         WriteTable(link, image.groupTableAddress, image.groups, status);
}

bool UploadTagList(LinkState& link, int startAddress, const std::string& path, LinkStatus& status) {
  const TagListUpload upload = BuildTagListUpload(startAddress, path);
  if (upload.refusal != UploadRefusal::kNone) return false;
  if (!WriteTagListInfo(link, startAddress, upload.count, status)) return false;
  const std::vector<Page> pages = SplitIntoPages(upload.image);
  const int total = static_cast<int>(pages.size());
  for (int k = 0; k < total; ++k) {
    if (!WritePage(link, startAddress + kPageSize * k, pages[k], status)) return false;
    link.ReportProgress(BulkTransfer::kTagPages, k + 1, total);
  }
  return true;
}

}  // namespace zm48d
