// The controller's decision on a tag read, on memory laid out as a send of
// rule and tag files leaves it, and what the read does to the event stack.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "protocol/access_decision.h"
#include "protocol/rules_image.h"
#include "protocol/tag_image.h"
#include "tests/support/emulator_memory.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Window = std::pair<const char*, const char*>;
using Week = std::array<Window, 7>;  // Monday first

constexpr Window kNobody{"23:59", "00:00"};  // a start after its end

std::string GroupLine(int number, const Week& week, const char* holidays) {
  std::string line = (number < 10 ? "0" : "") + std::to_string(number);
  for (const auto& [start, end] : week) line += std::string("*") + start + "*" + end;
  return line + "*" + holidays;
}

const Week kOffice = {{{"08:00", "18:00"},
                       {"08:00", "18:00"},
                       {"08:00", "18:00"},
                       {"08:00", "18:00"},
                       {"08:00", "18:00"},
                       {"08:00", "12:00"},
                       kNobody}};
const Week kAllDay = {{{"00:00", "23:59"},
                       {"00:00", "23:59"},
                       {"00:00", "23:59"},
                       {"00:00", "23:59"},
                       {"00:00", "23:59"},
                       {"00:00", "23:59"},
                       {"00:00", "23:59"}}};
// Monday morning and Sunday morning differ, so a swapped day order shows.
const Week kMondaySunday = {
    {{"08:00", "09:00"}, kNobody, kNobody, kNobody, kNobody, kNobody, {"10:00", "11:00"}}};

const std::vector<std::string> kHolidays = {"ZM48D-FERIADOS", "2", "25/12*Natal", "01/05*Trabalho"};
const std::vector<std::string> kGroups = {"ZM48D-GRUPOS", "3", GroupLine(1, kOffice, "N\xE3o"),
                                          GroupLine(2, kAllDay, "Sim"),
                                          GroupLine(3, kMondaySunday, "N\xE3o")};
const std::vector<std::string> kTags = {
    "ZM48D-LISTA",
    "6",
    "00A1B2*01*001*door 1, office hours",
    "00A1B3*0F*002*every door, all day, holidays too",
    "00A1B4*0F*000*no group",
    "00A1B5*0F*004*a group past the table",
    "00A1B6*08*003*door 4, Monday and Sunday mornings (second line of the list)",
    "00A1B2*0F*002*a second record of the first tag, never reached"};

// Empty memory with the rules and the tag list placed where a send puts them.
std::unique_ptr<MemoryImage> SentMemory(const std::vector<std::string>& holidays,
                                        const std::vector<std::string>& groups,
                                        const std::vector<std::string>& tags) {
  auto memory = std::make_unique<MemoryImage>();
  PlaceRules(*memory, BuildRulesImage(LineList(holidays), LineList(groups)));
  const int count = std::stoi(tags[1]);
  PlaceTagList(*memory,
               {UploadRefusal::kNone, 0xB000, count, BuildTagListImage(LineList(tags), count)});
  return memory;
}

TagRead Read(int door, std::uint32_t tag, const char* when) {
  return {tag, door, ParseLocalTime(when).value()};
}

std::uint8_t Flags(const ReadEvaluation& e) { return e.record[9]; }

class AccessDecisionTest : public ::testing::Test {
 protected:
  ReadEvaluation Evaluate(int door, std::uint32_t tag, const char* when) {
    return EvaluateRead(memory->View(), Read(door, tag, when));
  }
  std::unique_ptr<MemoryImage> memory = SentMemory(kHolidays, kGroups, kTags);
};

// 07/12/26 is a Monday, 13/12/26 a Sunday, 25/12/26 a Friday and a holiday.
TEST_F(AccessDecisionTest, EachRuleGivesItsReasonAndFlags) {
  struct Case {
    const char* what;
    int door;
    std::uint32_t tag;
    const char* when;
    AccessReason reason;
    std::uint8_t flags;  // door index | 0x10 granted | 0x20 holiday | reason << 6
  };
  using enum AccessReason;
  const Case cases[] = {
      {"unknown tag", 1, 0x123456, "07/12/26 09:00:00", kTagNotRegistered, 0x40},
      {"door not in the mask (the first record wins)", 2, 0xA1B2, "07/12/26 09:00:00",
       kDoorNotEnabled, 0xC1},
      {"door 4 of a door-4 tag", 4, 0xA1B6, "07/12/26 08:30:00", kOk, 0x13},
      {"door 1 of a door-4 tag", 1, 0xA1B6, "07/12/26 08:30:00", kDoorNotEnabled, 0xC0},
      {"group 0", 1, 0xA1B4, "07/12/26 09:00:00", kOutsideHours, 0x80},
      {"group past the table", 3, 0xA1B5, "07/12/26 09:00:00", kOutsideHours, 0x82},
      {"one minute before the window", 1, 0xA1B2, "07/12/26 07:59:59", kOutsideHours, 0x80},
      {"the window's first minute", 1, 0xA1B2, "07/12/26 08:00:00", kOk, 0x10},
      {"the window's last minute, to its last second", 1, 0xA1B2, "07/12/26 18:00:59", kOk, 0x10},
      {"one minute after the window", 1, 0xA1B2, "07/12/26 18:01:00", kOutsideHours, 0x80},
      {"Saturday's shorter window", 1, 0xA1B2, "12/12/26 12:01:00", kOutsideHours, 0x80},
      {"a start after its end admits nobody", 1, 0xA1B2, "13/12/26 12:00:00", kOutsideHours, 0x80},
      {"Monday is the first pair", 4, 0xA1B6, "07/12/26 10:30:00", kOutsideHours, 0x83},
      {"Sunday is the last pair", 4, 0xA1B6, "13/12/26 10:30:00", kOk, 0x13},
      {"Sunday outside its pair", 4, 0xA1B6, "13/12/26 08:30:00", kOutsideHours, 0x83},
      {"holiday without permission", 1, 0xA1B2, "25/12/26 10:00:00", kOutsideHours, 0xA0},
      {"holiday with permission", 3, 0xA1B3, "25/12/27 03:00:00", kOk, 0x32},
      {"holiday is marked whatever the reason", 2, 0x123456, "01/05/26 10:00:00", kTagNotRegistered,
       0x61},
      {"a day that is no holiday in another month", 1, 0xA1B2, "25/11/26 10:00:00", kOk, 0x10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ReadEvaluation e = Evaluate(c.door, c.tag, c.when);
    EXPECT_EQ(e.damage, LayoutDamage::kNone);
    EXPECT_EQ(e.decision.reason, c.reason);
    EXPECT_EQ(e.decision.Granted(), c.reason == kOk);
    EXPECT_EQ(Flags(e), c.flags);
  }
}

TEST_F(AccessDecisionTest, RecordHoldsTheTagAndTheTimeInBcd) {
  const ReadEvaluation e = Evaluate(1, 0xA1B2, "07/12/26 08:00:09");
  EXPECT_EQ(Bytes(e.record.begin(), e.record.end()),
            (Bytes{0x00, 0xA1, 0xB2, 0x07, 0x12, 0x26, 0x08, 0x00, 0x09, 0x10}));
  const ReadEvaluation late = Evaluate(3, 0xFEDCBA, "31/10/99 23:59:58");
  EXPECT_EQ(Bytes(late.record.begin(), late.record.end()),
            (Bytes{0xFE, 0xDC, 0xBA, 0x31, 0x10, 0x99, 0x23, 0x59, 0x58, 0x42}));
}

// A header of empty tables, and a controller with no tag list, still decide.
TEST(AccessDecisionEmpty, NoTablesAndNoTagListGiveReasonsNotCrashes) {
  const std::vector<std::string> none = {"ZM48D-FERIADOS", "0"};
  const std::vector<std::string> noGroups = {"ZM48D-GRUPOS", "0"};
  const auto tagsOnly = SentMemory(none, noGroups, kTags);
  const TagRead read = Read(1, 0xA1B2, "07/12/26 09:00:00");
  EXPECT_EQ(EvaluateRead(tagsOnly->View(), read).decision.reason, AccessReason::kOutsideHours);

  const auto noTags = SentMemory(kHolidays, kGroups, {"ZM48D-LISTA", "0"});
  EXPECT_EQ(EvaluateRead(noTags->View(), read).decision.reason, AccessReason::kTagNotRegistered);

  const auto blank = std::make_unique<MemoryImage>();  // every byte 0
  const ReadEvaluation e = EvaluateRead(blank->View(), read);
  EXPECT_EQ(e.damage, LayoutDamage::kNone);
  EXPECT_EQ(e.decision.reason, AccessReason::kTagNotRegistered);
}

class ReadEffectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    memory->settings[0x8000 + 8] = 6;  // relay 3: 1500 ms
  }
  void SetStack(int start, int top, int limit) {
    testing::SetStack(memory->eeprom, start, top, limit);
  }
  ReadEffects Apply(int door, std::uint32_t tag) {
    return ApplyTagRead(memory->eeprom, memory->settings, Read(door, tag, "07/12/26 09:00:00"));
  }
  std::unique_ptr<MemoryImage> memory = SentMemory(kHolidays, kGroups, kTags);
};

// Holidays 2 and groups 3 put the stack at 0x007B..0x07FB.
TEST_F(ReadEffectsTest, EachReadPushesItsEventAndAGrantedOnePulsesItsRelay) {
  const ReadEffects granted = Apply(3, 0xA1B3);
  EXPECT_TRUE(granted.recorded);
  EXPECT_EQ(granted.relayMs, 1500);
  const ReadEffects refused = Apply(1, 0x999999);
  EXPECT_TRUE(refused.recorded);
  EXPECT_EQ(refused.relayMs, 0);
  EXPECT_EQ(Bytes(memory->eeprom.begin() + 10, memory->eeprom.begin() + 12), (Bytes{0x00, 0x8F}));
  EXPECT_EQ(Bytes(memory->eeprom.begin() + 0x7B, memory->eeprom.begin() + 0x8F),
            (Bytes{0x00, 0xA1, 0xB3, 0x07, 0x12, 0x26, 0x09, 0x00, 0x00, 0x12,
                   0x99, 0x99, 0x99, 0x07, 0x12, 0x26, 0x09, 0x00, 0x00, 0x40}));
}

// The last record that fits ends exactly at the limit; the next one is dropped
// and leaves memory as it was, though the door still opens.
TEST_F(ReadEffectsTest, FullStackDropsTheEventAndChangesNothing) {
  SetStack(0x07E7, 0x07F1, 0x07FB);
  EXPECT_TRUE(Apply(1, 0xA1B2).recorded);
  const AddressSpace before = memory->eeprom;
  const ReadEffects dropped = Apply(3, 0xA1B3);
  EXPECT_FALSE(dropped.recorded);
  EXPECT_TRUE(dropped.evaluation.decision.Granted());
  EXPECT_EQ(dropped.relayMs, 1500);
  EXPECT_EQ(memory->eeprom, before);
}

TEST_F(ReadEffectsTest, DamagedLayoutIsReportedAndNothingIsWritten) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, std::uint8_t>> eeprom, settings;  // bytes to set
    LayoutDamage damage;
  };
  const Case cases[] = {
      {"top below start", {{11, 0x71}}, {}, LayoutDamage::kTopBelowStart},
      {"holidays past the area",
       {{0, 3}, {1, 0x07}, {2, 0xFC}},
       {},
       LayoutDamage::kHolidaysPastArea},
      {"groups past the area", {{3, 71}}, {}, LayoutDamage::kGroupsPastArea},
      {"limit past the area", {{12, 0x08}, {13, 0x01}}, {}, LayoutDamage::kLimitPastArea},
      {"tag list past the space",
       {},
       {{0x800A, 0xFF}, {0x800B, 0xF0}},
       LayoutDamage::kTagListPastSpace},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    memory = SentMemory(kHolidays, kGroups, kTags);
    for (auto [at, value] : c.eeprom) memory->eeprom[at] = value;
    for (auto [at, value] : c.settings) memory->settings[at] = value;
    const AddressSpace before = memory->eeprom;
    const ReadEffects effects = Apply(3, 0xA1B3);
    EXPECT_EQ(effects.evaluation.damage, c.damage);
    EXPECT_FALSE(effects.recorded);
    EXPECT_EQ(effects.relayMs, 0);
    EXPECT_EQ(memory->eeprom, before);
  }
}

// The edges of the area are still sound: tables ending at 2048, a list ending
// at the top of the settings space.
TEST_F(ReadEffectsTest, TablesEndingAtTheEdgesAreSound) {
  memory->eeprom[0] = 2;  // two holidays at 0x07FC..0x07FF
  memory->eeprom[1] = 0x07;
  memory->eeprom[2] = 0xFC;
  memory->settings[0x800A] = 0xFF;  // one tag at 0xFFFB..0xFFFF
  memory->settings[0x800B] = 0xFB;
  memory->settings[0x800C] = 0x00;
  memory->settings[0x800D] = 0x01;
  EXPECT_EQ(Apply(1, 0xA1B2).evaluation.damage, LayoutDamage::kNone);
}

}  // namespace
}  // namespace zm48d::testing
