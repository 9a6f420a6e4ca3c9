// The store creates its tables itself, and opening it again changes nothing.
#include <string>

#include "tests/store/store_fixture.h"

namespace zm48d::testing {
namespace {

using SchemaTest = StoreTest;

TEST_P(SchemaTest, CreatesTablesIndexesAndOneVersionRow) {
  EXPECT_EQ(Count("events"), 0);
  EXPECT_EQ(Count("harvests"), 0);
  EXPECT_EQ(Count("schema_version"), 1);
  int version = 0;
  *Session() << "SELECT version FROM schema_version", soci::into(version);
  EXPECT_EQ(version, 1);
  const std::string catalog = Postgres() ? "pg_indexes WHERE indexname = :name"
                                         : "sqlite_master WHERE type = 'index' AND name = :name";
  for (const std::string index : {"events_tag_date", "events_controller_date", "events_date"}) {
    long long found = 0;
    *Session() << "SELECT COUNT(*) FROM " + catalog, soci::use(index), soci::into(found);
    EXPECT_EQ(found, 1) << index;
  }
}

TEST_P(SchemaTest, OpeningAgainKeepsTheEventsAndTheVersion) {
  const auto records = Stack({MakeRecord(0x00A1B2, 0x07, 0x12, 0x26, 0x14, 0x05, 0x33, 0x10)});
  Harvest("portaria", 0x0100, records);
  store_.reset();
  store_ = Open(url_);
  ASSERT_TRUE(store_);
  store_ = Open(url_);
  ASSERT_TRUE(store_);
  EXPECT_EQ(Raw().size(), 1u);
  EXPECT_EQ(Count("schema_version"), 1);
  // The earlier harvest still counts for the exactly-once rule.
  EXPECT_EQ(Harvest("portaria", 0x0100, records).alreadyStored, 1);
}

TEST_P(SchemaTest, RefusesAStoreWrittenByANewerProgram) {
  *Session() << "UPDATE schema_version SET version = 99";
  store_.reset();
  auto opened = store::OpenEventStore(url_);
  ASSERT_FALSE(opened.ok());
  EXPECT_NE(opened.error().find("schema version 99"), std::string::npos) << opened.error();
}

ZM48D_ON_BOTH_ENGINES(SchemaTest);

}  // namespace
}  // namespace zm48d::testing
