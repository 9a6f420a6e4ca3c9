// A harvest's records land in their columns, and each event is stored once
// however often an unemptied stack is read again.
#include <algorithm>
#include <cstdint>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "tests/store/store_fixture.h"

namespace zm48d::testing {
namespace {

using HarvestTest = StoreTest;

const Record kGrantedDoor1 = MakeRecord(0x00A1B2, 0x07, 0x12, 0x26, 0x14, 0x05, 0x33, 0x10);
const Record kNotRegistered = MakeRecord(0xFFFFFF, 0x31, 0x01, 0x25, 0x00, 0x00, 0x00, 0x41);
const Record kHolidayOutside = MakeRecord(0x123456, 0x25, 0x12, 0x24, 0x23, 0x59, 0x59, 0xA2);
const Record kDoorNotEnabled = MakeRecord(0x0000AB, 0x01, 0x05, 0x30, 0x08, 0x30, 0x00, 0xC3);
const Record kHolidayGranted = MakeRecord(0x00A1B2, 0x07, 0x12, 0x26, 0x14, 0x06, 0x00, 0x31);

using Columns = std::tuple<std::string, std::string, std::string, std::string, int, int, int, int>;

TEST_P(HarvestTest, StoresEachFieldOfEachRecord) {
  const struct {
    Record record;
    Columns columns;  // raw, tag, date, time, door, granted, holiday, reason
  } cases[] = {
      {kGrantedDoor1,
       {"00A1B2071226140533"
        "10",
        "00A1B2", "2026-12-07", "14:05:33", 1, 1, 0, 0}},
      {kNotRegistered,
       {"FFFFFF310125000000"
        "41",
        "FFFFFF", "2025-01-31", "00:00:00", 2, 0, 0, 1}},
      {kHolidayOutside,
       {"123456251224235959"
        "A2",
        "123456", "2024-12-25", "23:59:59", 3, 0, 1, 2}},
      {kDoorNotEnabled,
       {"0000AB010530083000"
        "C3",
        "0000AB", "2030-05-01", "08:30:00", 4, 0, 0, 3}},
      {kHolidayGranted,
       {"00A1B2071226140600"
        "31",
        "00A1B2", "2026-12-07", "14:06:00", 2, 1, 1, 0}},
  };
  std::vector<std::uint8_t> records;
  for (const auto& c : cases) records.insert(records.end(), c.record.begin(), c.record.end());
  const auto receipt = store_->StoreHarvest("portaria", 0x0100, 0x0132, records);
  ASSERT_TRUE(receipt.ok()) << receipt.error();
  EXPECT_EQ(receipt.value().read, 5);
  EXPECT_EQ(receipt.value().stored, 5);
  EXPECT_EQ(receipt.value().alreadyStored, 0);

  auto session = Session();
  Columns row;
  auto& [raw, tag, date, time, door, granted, holiday, reason] = row;
  std::string controller, harvestedAt;
  long long harvest = 0;
  soci::statement select =
      (session->prepare << "SELECT raw, tag, event_date, event_time, door, granted, holiday,"
                           " reason, controller, harvest, harvested_at FROM events ORDER BY id",
       soci::into(raw), soci::into(tag), soci::into(date), soci::into(time), soci::into(door),
       soci::into(granted), soci::into(holiday), soci::into(reason), soci::into(controller),
       soci::into(harvest), soci::into(harvestedAt));
  select.execute();
  const std::regex utc(R"(\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}Z)");
  for (const auto& c : cases) {
    ASSERT_TRUE(select.fetch());
    EXPECT_EQ(row, c.columns) << std::get<0>(c.columns);
    EXPECT_EQ(controller, "portaria");
    EXPECT_EQ(harvest, receipt.value().harvest);
    EXPECT_TRUE(std::regex_match(harvestedAt, utc)) << harvestedAt;
  }
  EXPECT_FALSE(select.fetch());

  std::string harvestController, harvestRaw, harvestAt;
  int start = 0, top = 0, count = 0, stored = 0, emptied = -1;
  *session << "SELECT controller, stack_start, stack_top, record_count, stored_count, emptied,"
              " raw, harvested_at FROM harvests",
      soci::into(harvestController), soci::into(start), soci::into(top), soci::into(count),
      soci::into(stored), soci::into(emptied), soci::into(harvestRaw), soci::into(harvestAt);
  EXPECT_EQ(std::tie(harvestController, start, top, count, stored, emptied),
            std::make_tuple(std::string("portaria"), 0x0100, 0x0132, 5, 5, 0));
  EXPECT_EQ(harvestRaw.size(), 100u);
  EXPECT_EQ(harvestRaw.substr(0, 20), "00A1B207122614053310");
  EXPECT_EQ(harvestAt, harvestedAt);
}

TEST_P(HarvestTest, APartialRecordAtTheEndIsLeftOut) {
  auto records = Stack({kGrantedDoor1, kNotRegistered});
  records.resize(17);
  EXPECT_EQ(Harvest("portaria", 0x0100, records).read, 1);
  EXPECT_EQ(Raw(), std::vector<Record>{kGrantedDoor1});
}

// One step of a harvest sequence, and what it must report.
struct Step {
  std::string controller;
  int start;
  std::vector<std::uint8_t> records;
  bool emptiedAfter;
  int stored, alreadyStored;
};

TEST_P(HarvestTest, StoresEachEventOnce) {
  const auto a = kGrantedDoor1, b = kNotRegistered, c = kHolidayOutside, d = kDoorNotEnabled;
  const struct {
    const char* name;
    std::vector<Step> steps;
    std::vector<Record> kept;
  } cases[] = {
      {"unconfirmed, then read again with more",
       {{"P1", 0x100, Stack({a, b}), false, 2, 0}, {"P1", 0x100, Stack({a, b, c}), false, 1, 2}},
       {a, b, c}},
      {"unconfirmed twice, then read again",
       {{"P1", 0x100, Stack({a}), false, 1, 0},
        {"P1", 0x100, Stack({a, b}), false, 1, 1},
        {"P1", 0x100, Stack({a, b, c}), false, 1, 2}},
       {a, b, c}},
      {"confirmed, then the same start",
       {{"P1", 0x100, Stack({a, b}), true, 2, 0}, {"P1", 0x100, Stack({a, b, c}), false, 3, 0}},
       {a, b, a, b, c}},
      {"unconfirmed, then other bytes at the same start",
       {{"P1", 0x100, Stack({a, b}), false, 2, 0}, {"P1", 0x100, Stack({c, a, b}), false, 3, 0}},
       {a, b, c, a, b}},
      {"unconfirmed, then another start",
       {{"P1", 0x100, Stack({a, b}), false, 2, 0}, {"P1", 0x10A, Stack({a, b, c}), false, 3, 0}},
       {a, b, a, b, c}},
      {"another controller's unconfirmed harvest",
       {{"P2", 0x100, Stack({a, b}), false, 2, 0}, {"P1", 0x100, Stack({a, b, c}), false, 3, 0}},
       {a, b, a, b, c}},
      // After an emptying, an older unconfirmed harvest no longer describes the stack.
      {"unconfirmed, then confirmed, then the first's records again",
       {{"P1", 0x100, Stack({a}), false, 1, 0},
        {"P1", 0x100, Stack({a, b}), true, 1, 1},
        {"P1", 0x100, Stack({a, d}), false, 2, 0}},
       {a, b, a, d}},
      {"the same records read again",
       {{"P1", 0x100, Stack({a, b}), false, 2, 0}, {"P1", 0x100, Stack({a, b}), false, 0, 2}},
       {a, b}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    url_ = NewLocation();
    store_ = Open(url_);
    ASSERT_TRUE(store_);
    for (const Step& step : c.steps) {
      const auto receipt = Harvest(step.controller, step.start, step.records);
      EXPECT_EQ(receipt.read, static_cast<int>(step.records.size()) / EventRecordSize);
      EXPECT_EQ(receipt.stored, step.stored);
      EXPECT_EQ(receipt.alreadyStored, step.alreadyStored);
      if (step.emptiedAfter) {
        const auto marked = store_->MarkEmptied(receipt.harvest);
        EXPECT_TRUE(marked.ok()) << marked.error();
      }
    }
    // Same date and time for a and its copies: insertion order decides.
    std::vector<Record> kept = c.kept;
    std::stable_sort(kept.begin(), kept.end(), [](const Record& x, const Record& y) {
      return StoredOrder(x) < StoredOrder(y);
    });
    EXPECT_EQ(Raw(), kept);
  }
}

TEST_P(HarvestTest, MarkingAHarvestTheStoreDoesNotHoldFails) {
  const auto receipt = Harvest("portaria", 0x0100, Stack({kGrantedDoor1}));
  const auto marked = store_->MarkEmptied(receipt.harvest + 1);
  ASSERT_FALSE(marked.ok());
  EXPECT_NE(marked.error().find(std::to_string(receipt.harvest + 1)), std::string::npos);
}

ZM48D_ON_BOTH_ENGINES(HarvestTest);

}  // namespace
}  // namespace zm48d::testing
