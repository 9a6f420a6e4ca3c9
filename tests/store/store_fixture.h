#pragma once
// Every store test runs on both engines: a SQLite file in a scratch folder and
// a fresh database on the test program's own PostgreSQL server.
#include <gtest/gtest.h>
#include <soci/postgresql/soci-postgresql.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "store/event_store.h"
#include "tests/support/postgres_server.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {

using Record = std::array<std::uint8_t, EventRecordSize>;

// A record as the controller writes it; date and time are BCD, so 0x26 is year 26.
inline Record MakeRecord(std::uint32_t tag, std::uint8_t day, std::uint8_t month, std::uint8_t year,
                         std::uint8_t hour, std::uint8_t minute, std::uint8_t second,
                         std::uint8_t flags) {
  return {static_cast<std::uint8_t>(tag >> 16),
          static_cast<std::uint8_t>(tag >> 8),
          static_cast<std::uint8_t>(tag),
          day,
          month,
          year,
          hour,
          minute,
          second,
          flags};
}

// How the store orders events: year, month, day, then time (BCD compares as numbers).
inline std::array<std::uint8_t, 6> StoredOrder(const Record& record) {
  return {record[5], record[4], record[3], record[6], record[7], record[8]};
}

// The records one after the other, as a stack read gives them.
inline std::vector<std::uint8_t> Stack(std::initializer_list<Record> records) {
  std::vector<std::uint8_t> bytes;
  for (const Record& record : records) bytes.insert(bytes.end(), record.begin(), record.end());
  return bytes;
}

class StoreTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    url_ = NewLocation();
    ASSERT_FALSE(url_.empty()) << PostgresServer::Shared().Failure();
    store_ = Open(url_);
    ASSERT_TRUE(store_);
  }

  bool Postgres() const { return GetParam() == "postgresql"; }

  std::string NewLocation() {
    if (Postgres()) return PostgresServer::Shared().CreateDatabase();
    // In a folder the store must create.
    return temp_.Path("data" + std::to_string(++locations_) + "/events.db");
  }

  static std::unique_ptr<store::EventStore> Open(const std::string& url) {
    auto opened = store::OpenEventStore(url);
    EXPECT_TRUE(opened.ok()) << opened.error();
    return opened.ok() ? std::move(opened.value()) : nullptr;
  }

  store::HarvestReceipt Harvest(const std::string& controller, int start,
                                const std::vector<std::uint8_t>& records) {
    auto receipt =
        store_->StoreHarvest(controller, start, start + static_cast<int>(records.size()), records);
    EXPECT_TRUE(receipt.ok()) << receipt.error();
    return receipt.ok() ? receipt.value() : store::HarvestReceipt{};
  }

  std::vector<store::StoredEvent> Events(const store::HistoryFilter& filter = {}) {
    auto events = store_->Query(filter);
    EXPECT_TRUE(events.ok()) << events.error();
    return events.ok() ? events.value() : std::vector<store::StoredEvent>{};
  }

  std::vector<Record> Raw(const store::HistoryFilter& filter = {}) {
    std::vector<Record> raw;
    for (const auto& event : Events(filter)) raw.push_back(event.raw);
    return raw;
  }

  // A connection of the test's own, to look at the tables as they are.
  std::unique_ptr<soci::session> Session() const {
    if (Postgres()) return std::make_unique<soci::session>(*soci::factory_postgresql(), url_);
    return std::make_unique<soci::session>(*soci::factory_sqlite3(), "db=\"" + url_ + "\"");
  }

  long long Count(const std::string& table) const {
    long long count = -1;
    *Session() << "SELECT COUNT(*) FROM " + table, soci::into(count);
    return count;
  }

  TempDir temp_;
  int locations_ = 0;
  std::string url_;
  std::unique_ptr<store::EventStore> store_;
};

#define ZM48D_ON_BOTH_ENGINES(Suite) \
  INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::Values("sqlite", "postgresql"))

}  // namespace zm48d::testing
