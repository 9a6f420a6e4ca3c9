// History searches and day summaries over the events of two controllers.
#include <string>
#include <tuple>
#include <vector>

#include "tests/store/store_fixture.h"

namespace zm48d::testing {
namespace {

class QueryTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    if (HasFatalFailure()) return;
    // Stored out of date order, so the order of the results is the store's own.
    Harvest("portaria", 0x100, Stack({kLate, kEarly, kRefusedDoor2}));
    Harvest("garagem", 0x100, Stack({kOtherTag, kSameSecond}));
  }

  static inline const Record kLate = MakeRecord(0x00A1B2, 0x02, 0x01, 0x27, 0x08, 0x00, 0x00, 0x10);
  static inline const Record kEarly =
      MakeRecord(0x00A1B2, 0x31, 0x12, 0x26, 0x23, 0x00, 0x00, 0x10);
  static inline const Record kRefusedDoor2 =
      MakeRecord(0x00A1B2, 0x01, 0x01, 0x27, 0x12, 0x00, 0x00, 0x81);
  static inline const Record kOtherTag =
      MakeRecord(0x0000AB, 0x01, 0x01, 0x27, 0x12, 0x00, 0x00, 0x11);
  static inline const Record kSameSecond =
      MakeRecord(0x00A1B2, 0x01, 0x01, 0x27, 0x12, 0x00, 0x00, 0x40);
};

TEST_P(QueryTest, FiltersAndOrdersOldestFirst) {
  using Filter = store::HistoryFilter;
  const struct {
    const char* name;
    Filter filter;
    std::vector<Record> expected;
  } cases[] = {
      {"all", {}, {kEarly, kRefusedDoor2, kOtherTag, kSameSecond, kLate}},
      {"controller", {.controller = "garagem"}, {kOtherTag, kSameSecond}},
      {"tag", {.tag = 0x00A1B2}, {kEarly, kRefusedDoor2, kSameSecond, kLate}},
      {"from", {.from = "2027-01-01"}, {kRefusedDoor2, kOtherTag, kSameSecond, kLate}},
      {"to", {.to = "2027-01-01"}, {kEarly, kRefusedDoor2, kOtherTag, kSameSecond}},
      {"one day", {.from = "2027-01-02", .to = "2027-01-02"}, {kLate}},
      {"door", {.door = 2}, {kRefusedDoor2, kOtherTag}},
      {"refused", {.refusedOnly = true}, {kRefusedDoor2, kSameSecond}},
      {"all at once",
       {.controller = "portaria",
        .tag = 0x00A1B2,
        .from = "2027-01-01",
        .to = "2027-01-01",
        .door = 2,
        .refusedOnly = true},
       {kRefusedDoor2}},
      {"nothing", {.controller = "portaria", .tag = 0x0000AB}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Raw(c.filter), c.expected) << c.name;
}

TEST_P(QueryTest, EachEventNamesItsControllerAndHarvestTime) {
  const auto events = Events({.tag = 0x0000AB});
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].controller, "garagem");
  EXPECT_EQ(events[0].harvestedAt.size(), 20u);
  EXPECT_EQ(events[0].harvestedAt.back(), 'Z');
}

TEST_P(QueryTest, SummarizesGrantedAndRefusedPerDayAndDoor) {
  using Filter = store::HistoryFilter;
  using Days = std::vector<std::tuple<std::string, int, int, int>>;
  const struct {
    const char* name;
    Filter filter;
    Days expected;  // date, door, granted, refused
  } cases[] = {
      {"all",
       {},
       {{"2026-12-31", 1, 1, 0},
        {"2027-01-01", 1, 0, 1},
        {"2027-01-01", 2, 1, 1},
        {"2027-01-02", 1, 1, 0}}},
      {"controller",
       {.controller = "portaria"},
       {{"2026-12-31", 1, 1, 0}, {"2027-01-01", 2, 0, 1}, {"2027-01-02", 1, 1, 0}}},
      {"refused", {.refusedOnly = true}, {{"2027-01-01", 1, 0, 1}, {"2027-01-01", 2, 0, 1}}},
      {"nothing", {.from = "2028-01-01"}, {}},
  };
  for (const auto& c : cases) {
    const auto days = store_->Summarize(c.filter);
    ASSERT_TRUE(days.ok()) << days.error();
    Days got;
    for (const auto& day : days.value())
      got.emplace_back(day.date, day.door, day.granted, day.refused);
    EXPECT_EQ(got, c.expected) << c.name;
  }
}

ZM48D_ON_BOTH_ENGINES(QueryTest);

}  // namespace
}  // namespace zm48d::testing
