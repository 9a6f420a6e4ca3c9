// The StackHeader, holiday and group records and the stack-space arithmetic.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/runtime_errors.h"
#include "protocol/rules_image.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <std::size_t N>
Bytes ToVector(const std::array<std::uint8_t, N>& a) {
  return Bytes(a.begin(), a.end());
}

int WordAt(const StackHeaderBytes& h, int offset) { return (h[offset] << 8) | h[offset + 1]; }

const std::string kWeekdays08to18 =
    "01*08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*00:00*23:59*00:00*23:59*";

TEST(StackHeaderTest, EmptyTablesGiveTheWholeAreaToTheStack) {
  EXPECT_EQ(
      ToVector(BuildStackHeaderBytes(0, 0)),
      (Bytes{0x00, 0x00, 0x20, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x20, 0x00, 0x20, 0x07, 0xFA}));
}

TEST(StackHeaderTest, TablesMoveTheStackAndShrinkItsLimit) {
  struct Case {
    int h, g, groupTable, start, limit;
  };
  for (const Case c : {Case{2, 3, 0x24, 0x7B, 0x7FB}, Case{49, 65, 0x82, 0x7DF, 0x7FD},
                       Case{0, 69, 0x20, 0x7F1, 0x7FB}}) {
    const StackHeaderBytes h = BuildStackHeaderBytes(c.h, c.g);
    SCOPED_TRACE(std::to_string(c.h) + "," + std::to_string(c.g));
    EXPECT_EQ(h[0], c.h);
    EXPECT_EQ(WordAt(h, 1), 0x20);
    EXPECT_EQ(h[3], c.g);
    EXPECT_EQ(WordAt(h, 4), c.groupTable);
    EXPECT_EQ(WordAt(h, 6), 0);
    EXPECT_EQ(WordAt(h, 8), c.start);
    EXPECT_EQ(WordAt(h, 10), c.start);  // empty stack: top = start
    EXPECT_EQ(WordAt(h, 12), c.limit);
  }
}

TEST(RulesFitTest, RefusesTablesPastTheArea) {
  EXPECT_TRUE(RulesFit(0, 0));
  EXPECT_TRUE(RulesFit(0, 69));
  EXPECT_TRUE(RulesFit(22, 68));   // 32 + 44 + 1972 = 2048 exactly
  EXPECT_FALSE(RulesFit(23, 68));  // two bytes past
  EXPECT_FALSE(RulesFit(0, 70));
  EXPECT_FALSE(RulesFit(256, 0));  // does not fit the header's count byte
  EXPECT_FALSE(RulesFit(-1, 0));
}

TEST(StackSpaceTest, TruncatesTowardZero) {
  EXPECT_EQ(StackSpace(0, 0), 201);
  EXPECT_EQ(StackSpace(10, 5), 185);
  EXPECT_EQ(StackSpace(0, 70), -1);
  EXPECT_EQ(StackSpace(0, 71), -4);
  EXPECT_EQ(StackSpace(0, 2147483647LL), (2048 - (29 * 2147483647LL + 32)) / 10);
}

TEST(HolidayRecordTest, DateDigitsBecomeBcd) {
  EXPECT_EQ(ToVector(HolidayRecordFromLine("25/12*Natal")), (Bytes{0x25, 0x12}));
  EXPECT_EQ(ToVector(HolidayRecordFromLine("01/01*")), (Bytes{0x01, 0x01}));
  EXPECT_EQ(ToVector(HolidayRecordFromLine("07")), (Bytes{0x07, 0x00}));
}

TEST(GroupRecordTest, TimesBecomeBcdAndSimAllowsHolidays) {
  const GroupRecord yes = GroupRecordFromLine(kWeekdays08to18 + "Sim");
  EXPECT_EQ(Bytes(yes.begin(), yes.begin() + 4), (Bytes{0x08, 0x00, 0x18, 0x00}));
  EXPECT_EQ(Bytes(yes.begin() + 20, yes.begin() + 28),
            (Bytes{0x00, 0x00, 0x23, 0x59, 0x00, 0x00, 0x23, 0x59}));
  EXPECT_EQ(yes[28], 1);
  EXPECT_EQ(GroupRecordFromLine(kWeekdays08to18 + "N\xE3o")[28], 0);
  EXPECT_EQ(GroupRecordFromLine(kWeekdays08to18 + "sim")[28], 0);
  EXPECT_EQ(GroupRecordFromLine(kWeekdays08to18 + "Simm")[28], 1);  // only 88-90 are read
}

TEST(GroupRecordTest, ALineCutAfterTheSeventhTimeGivesZeros) {
  const GroupRecord r = GroupRecordFromLine(kWeekdays08to18.substr(0, 44));
  EXPECT_EQ(Bytes(r.begin() + 12, r.begin() + 14), (Bytes{0x08, 0x00}));
  EXPECT_EQ(Bytes(r.begin() + 14, r.end()), Bytes(15, 0x00));
  // A field cut short keeps only the digits present: "18:0" gives 18 and 0.
  const GroupRecord shortEnd = GroupRecordFromLine("01*08:00*18:0");
  EXPECT_EQ(Bytes(shortEnd.begin(), shortEnd.begin() + 5), (Bytes{0x08, 0x00, 0x18, 0x00, 0x00}));
}

TEST(RulesImageTest, BuildsBothTablesInFileOrder) {
  const LineList holidays({"ZM48D-FERIADOS", "2", "25/12*Natal", "01/01*Ano novo", "ignored"});
  const LineList groups({"ZM48D-GRUPOS", "1", kWeekdays08to18 + "Sim"});
  const RulesImage image = BuildRulesImage(holidays, groups);
  EXPECT_EQ(ToVector(image.header), ToVector(BuildStackHeaderBytes(2, 1)));
  EXPECT_EQ(image.holidays, (Bytes{0x25, 0x12, 0x01, 0x01}));
  EXPECT_EQ(image.groups, ToVector(GroupRecordFromLine(kWeekdays08to18 + "Sim")));
  EXPECT_EQ(image.groupTableAddress, 0x24);
}

TEST(RulesImageTest, CountsAreCutToEightBits) {
  std::vector<std::string> lines = {"ZM48D-FERIADOS", "300"};
  for (int i = 0; i < 44; ++i) lines.push_back("10/10*x");
  const RulesImage image = BuildRulesImage(LineList(lines), LineList({"ZM48D-GRUPOS", "0"}));
  EXPECT_EQ(image.header[0], 44);
  EXPECT_EQ(image.holidays.size(), 88u);
  EXPECT_TRUE(image.groups.empty());
}

TEST(RulesImageTest, MissingLinesAndBadCountsThrow) {
  const LineList noGroups({"ZM48D-GRUPOS", "0"});
  try {
    BuildRulesImage(LineList({"ZM48D-FERIADOS", "2", "25/12*Natal"}), noGroups);
    FAIL() << "no error";
  } catch (const ListIndexError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3)");
  }
  EXPECT_THROW(BuildRulesImage(LineList({"ZM48D-FERIADOS", "dois"}), noGroups), ConversionError);
  EXPECT_THROW(BuildRulesImage(LineList({"ZM48D-FERIADOS"}), noGroups), ListIndexError);
}

}  // namespace
}  // namespace zm48d::testing
