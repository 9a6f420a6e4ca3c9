// A store that cannot be reached or written answers with a reason, never an
// exception, and a harvest that fails leaves nothing behind.
#include <fstream>
#include <string>

#include "tests/store/store_fixture.h"

namespace zm48d::testing {
namespace {

using FailureTest = StoreTest;

TEST_P(FailureTest, AStoreThatCannotBeOpenedGivesTheReason) {
  std::string url;
  if (Postgres()) {
    // A socket folder with no server listening in it.
    url = "postgresql://postgres@/events?host=" + temp_.Root().string();
  } else {
    std::ofstream(temp_.Path("file")) << "not a folder";
    url = temp_.Path("file/zm48d/events.db");
  }
  const auto opened = store::OpenEventStore(url);
  ASSERT_FALSE(opened.ok());
  EXPECT_FALSE(opened.error().empty());
}

TEST_P(FailureTest, AFailedHarvestIsRolledBackAndReported) {
  *Session() << "DROP TABLE events";
  const auto records = Stack({MakeRecord(0x00A1B2, 0x07, 0x12, 0x26, 0x14, 0x05, 0x33, 0x10)});
  const auto receipt = store_->StoreHarvest("portaria", 0x100, 0x10A, records);
  ASSERT_FALSE(receipt.ok());
  EXPECT_NE(receipt.error().find("events"), std::string::npos) << receipt.error();
  EXPECT_EQ(Count("harvests"), 0);
  EXPECT_FALSE(store_->Query({}).ok());
  EXPECT_FALSE(store_->Summarize({}).ok());
}

ZM48D_ON_BOTH_ENGINES(FailureTest);

}  // namespace
}  // namespace zm48d::testing
