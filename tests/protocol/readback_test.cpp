// Reading back what the controller holds: the lines that rebuild its records,
// the layouts that are refused before any table is read, and the frames the
// reads send.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "protocol/memory_readback.h"
#include "protocol/readback_files.h"
#include "protocol/rules_image.h"
#include "protocol/tag_image.h"
#include "tests/support/open_line_test.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <class Record>
Bytes ToBytes(const Record& record) {
  return Bytes(record.begin(), record.end());
}

// A line for each record, exactly as the editors write it, and the record it
// reads back to through the upload's own parsing.
TEST(RecordLines, ReadBackToTheRecordTheyWereMadeFrom) {
  struct HolidayCase {
    HolidayRecord record;
    std::string line;
  };
  for (const auto& c : {HolidayCase{{0x25, 0x12}, "25/12*"}, HolidayCase{{0x00, 0x00}, "00/00*"},
                        HolidayCase{{0x5A, 0xFF}, "5A/FF*"}}) {
    EXPECT_EQ(HolidayLineOfRecord(c.record), c.line);
    EXPECT_EQ(ToBytes(HolidayRecordFromLine(c.line)), ToBytes(c.record)) << c.line;
  }

  struct TagCase {
    TagRecord record;
    std::string line;
  };
  for (const auto& c : {TagCase{{0x00, 0xA1, 0xB2, 0x05, 0x01}, "00A1B2*05*001*"},
                        TagCase{{0xFF, 0xFF, 0xFF, 0xF0, 0xFF}, "FFFFFF*F0*255*"},
                        TagCase{{0, 0, 0, 0, 0}, "000000*00*000*"}}) {
    EXPECT_EQ(TagLineOfRecord(c.record), c.line);
    EXPECT_EQ(ToBytes(TagRecordFromLine(c.line)), ToBytes(c.record)) << c.line;
  }
}

TEST(RecordLines, GroupLineNumbersThePlaceAndKeepsEveryByte) {
  GroupRecord record{};
  for (int m = 0; m < 28; ++m) record[m] = static_cast<std::uint8_t>(0x10 + m);
  record[28] = 1;
  const std::string line = GroupLineOfRecord(7, record);
  EXPECT_EQ(line,
            "07*10:11*12:13*14:15*16:17*18:19*1A:1B*1C:1D*1E:1F*20:21*22:23*24:25*26:27*"
            "28:29*2A:2B*Sim");
  EXPECT_EQ(ToBytes(GroupRecordFromLine(line)), ToBytes(record));

  // Only 1 reads back as permission; anything else is written "Não" (0).
  for (std::uint8_t permission : {0, 2, 0xFF}) {
    record[28] = permission;
    const std::string denied = GroupLineOfRecord(12, record);
    EXPECT_EQ(denied.substr(0, 3), "12*");
    EXPECT_EQ(denied.substr(86), "*N\xE3o");
    EXPECT_EQ(denied.size(), 90u);
    EXPECT_EQ(GroupRecordFromLine(denied)[28], 0);
  }
}

TEST(ReadbackFiles, HeaderCountAndOneLineARecord) {
  const Bytes holidays = {0x25, 0x12, 0x01, 0x01};
  EXPECT_EQ(HolidaysFileOf(holidays).lines(),
            (std::vector<std::string>{"ZM48D-FERIADOS", "2", "25/12*", "01/01*"}));
  EXPECT_EQ(GroupsFileOf({}).lines(), (std::vector<std::string>{"ZM48D-GRUPOS", "0"}));
  const Bytes groups(29 * 3, 0x08);
  const LineList groupsFile = GroupsFileOf(groups);
  ASSERT_EQ(groupsFile.size(), 5);
  EXPECT_EQ(groupsFile.at(4).substr(0, 9), "03*08:08*");

  // Four tags: a line of three with its filler, then the fourth.
  const Bytes image = {0xA1, 0, 1,    0x01, 1,    0xA1, 0, 2, 0x02, 2, 0xA1,
                       0,    3, 0x04, 3,    0xEE, 0xA1, 0, 4, 0x08, 4};
  EXPECT_EQ(TagListFileOf(image, 4).lines(),
            (std::vector<std::string>{"ZM48D-LISTA", "4", "A10001*01*001*", "A10002*02*002*",
                                      "A10003*04*003*", "A10004*08*004*"}));
}

StackHeader Header(std::initializer_list<std::uint8_t> first8) {
  StackHeader header{};
  std::copy(first8.begin(), first8.end(), header.begin());
  return header;
}

TEST(ReadbackLayouts, TablesPastTheRulesAreaAreRefused) {
  struct Case {
    StackHeader header;
    bool fits;
  };
  const Case cases[] = {
      {Header({0, 0x00, 0x20, 0, 0x00, 0x20}), true},
      {Header({49, 0x00, 0x20, 65, 0x00, 0x82}), true},   // 0x82 + 1885 = 0x7DF
      {Header({0, 0x00, 0x20, 69, 0x00, 0x20}), true},    // ends at 0x7F1
      {Header({22, 0x00, 0x20, 68, 0x00, 0x4C}), true},   // ends at 2048 exactly
      {Header({23, 0x00, 0x20, 68, 0x00, 0x4E}), false},  // 2050
      {Header({0, 0x00, 0x20, 70, 0x00, 0x20}), false},   // 70 groups do not fit
      {Header({255, 0x07, 0x00, 0, 0x07, 0x00}), false},  // holidays past the end
      {Header({1, 0x07, 0xFE, 0, 0x00, 0x20}), true},     // the last two bytes
      {Header({1, 0x07, 0xFF, 0, 0x00, 0x20}), false},
      {Header({0, 0xFF, 0xFF, 0, 0x00, 0x20}), false},  // an empty table still lies out
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.header));
    EXPECT_EQ(RulesLayoutOf(c.header).has_value(), c.fits);
  }
  const auto layout = RulesLayoutOf(Header({49, 0x00, 0x20, 65, 0x00, 0x82}));
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->holidayCount, 49);
  EXPECT_EQ(layout->groupTable, 0x82);
}

TEST(ReadbackLayouts, TagListsPastTheSettingsSpaceAreRefused) {
  struct Case {
    std::uint8_t address[2], count[2];
    bool fits;
  };
  const Case cases[] = {
      {{0xB0, 0x00}, {0x00, 0x00}, true},
      {{0xB0, 0x00}, {0x03, 0xE7}, true},   // 999 tags, 42 pages
      {{0xB0, 0x00}, {0x0F, 0x00}, true},   // 3840 tags fill the space to 0xFFFF
      {{0xB0, 0x00}, {0x0F, 0x01}, false},  // one more needs a page past it
      {{0xFF, 0x80}, {0x00, 0x18}, true},   // one page, the last one
      {{0xFF, 0x81}, {0x00, 0x01}, false},  // a page from 0xFF81 runs past 0xFFFF
      {{0xB0, 0x00}, {0xFF, 0xFF}, false},
  };
  for (const Case& c : cases) {
    Page block{};
    std::copy_n(c.address, 2, block.begin() + 10);
    std::copy_n(c.count, 2, block.begin() + 12);
    SCOPED_TRACE(::testing::PrintToString(block));
    EXPECT_EQ(TagListLayoutOf(block).has_value(), c.fits);
  }
}

class ReadBackOnEmulator : public OpenLineTest {
 protected:
  std::string Commands() {
    std::string letters;
    for (const auto& request : line.emulator.Requests()) {
      letters += static_cast<char>(request.command);
      letters += static_cast<char>(request.data.at(0));
    }
    return letters;
  }
  std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
  }

  LinkStatus status = 77;
};

TEST_F(ReadBackOnEmulator, RulesTablesFromTheAddressesInTheHeader) {
  line.emulator.With([](emu::Controller& c) {
    const std::uint8_t header[] = {2, 0x01, 0x00, 1, 0x02, 0x00, 0, 0, 0x00, 0x20, 0x00, 0x30};
    std::copy(std::begin(header), std::end(header), c.eeprom.begin());
    for (int i = 0; i < 4; ++i) c.eeprom[0x100 + i] = static_cast<std::uint8_t>(0x11 * (i + 1));
    for (int i = 0; i < 29; ++i) c.eeprom[0x200 + i] = static_cast<std::uint8_t>(i);
    c.eeprom[0x104] = 0xEE;  // past the holiday table
  });
  RulesReading reading;
  ASSERT_EQ(ReadRulesBack(line.link, {}, reading, status), ReadBackOutcome::kRead);
  EXPECT_EQ(reading.holidays, (Bytes{0x11, 0x22, 0x33, 0x44}));
  ASSERT_EQ(reading.groups.size(), 29u);
  EXPECT_EQ(reading.groups[28], 28);
  EXPECT_EQ(reading.header[11], 0x30);
  // The header, one frame of holidays, two of the group: reads only.
  EXPECT_EQ(Commands(), "DLDLDLDL");
  const auto& requests = line.emulator.Requests();
  EXPECT_EQ(requests[1].data, (Bytes{'L', 0x01, 0x00, 1}));
  EXPECT_EQ(requests[3].data, (Bytes{'L', 0x02, 0x10, 1}));

  line.emulator.ClearRequests();
  RulesReading holidaysOnly;
  ASSERT_EQ(ReadRulesBack(line.link, {true, false}, holidaysOnly, status), ReadBackOutcome::kRead);
  EXPECT_TRUE(holidaysOnly.groups.empty());
  EXPECT_EQ(Commands(), "DLDL");
}

TEST_F(ReadBackOnEmulator, ARefusedHeaderReadsNoTable) {
  line.emulator.With([](emu::Controller& c) { c.eeprom[3] = 70; });  // 70 groups at 0x0020
  RulesReading reading;
  EXPECT_EQ(ReadRulesBack(line.link, {}, reading, status), ReadBackOutcome::kOutsideMemory);
  EXPECT_EQ(Commands(), "DL");

  line.emulator.ClearRequests();
  line.emulator.With([](emu::Controller& c) { c.settings[0x8000 + 12] = 0x10; });  // 4096 tags
  TagListReading tags;
  EXPECT_EQ(ReadTagListBack(line.link, tags, status), ReadBackOutcome::kOutsideMemory);
  EXPECT_EQ(Commands(), Repeat("GL", 8));
}

TEST_F(ReadBackOnEmulator, TagListPagesUpToTheCount) {
  line.emulator.With([](emu::Controller& c) {
    c.settings[0x8000 + 10] = 0xC0;
    c.settings[0x8000 + 11] = 0x00;
    c.settings[0x8000 + 13] = 25;  // 133 bytes: two pages
    for (int i = 0; i < 256; ++i) c.settings[0xC000 + i] = static_cast<std::uint8_t>(i);
  });
  TagListReading reading;
  ASSERT_EQ(ReadTagListBack(line.link, reading, status), ReadBackOutcome::kRead);
  EXPECT_EQ(reading.layout.start, 0xC000);
  EXPECT_EQ(reading.layout.count, 25);
  ASSERT_EQ(reading.image.size(), 133u);
  EXPECT_EQ(reading.image[132], 132);
  EXPECT_EQ(Commands(), Repeat("GL", 24));
  EXPECT_EQ(line.emulator.Requests()[8].data, (Bytes{'L', 0xC0, 0x00}));
  EXPECT_EQ(line.emulator.Requests()[23].data, (Bytes{'L', 0xC0, 0xF0}));
}

}  // namespace
}  // namespace zm48d::testing
