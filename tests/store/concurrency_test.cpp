// Two PCs harvesting different controllers into one store at the same time.
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "tests/store/store_fixture.h"

namespace zm48d::testing {
namespace {

using ConcurrencyTest = StoreTest;

TEST_P(ConcurrencyTest, TwoControllersHarvestedAtOnceBothSucceed) {
  store_.reset();
  constexpr int kHarvests = 20;
  const auto harvestAll = [this](const std::string& controller, std::string& failure) {
    auto opened = store::OpenEventStore(url_);  // each PC opens the store itself
    if (!opened.ok()) {
      failure = opened.error();
      return;
    }
    for (int i = 0; i < kHarvests && failure.empty(); ++i) {
      const auto records = Stack(
          {MakeRecord(0x00A1B2, 0x07, 0x12, 0x26, 0x14, 0x05, static_cast<std::uint8_t>(i), 0x10)});
      const auto receipt = opened.value()->StoreHarvest(controller, 0x100, 0x10A, records);
      if (!receipt.ok())
        failure = receipt.error();
      else if (!opened.value()->MarkEmptied(receipt.value().harvest).ok())
        failure = "mark";
    }
  };
  std::string failure1, failure2;
  std::thread first(harvestAll, "portaria", std::ref(failure1));
  std::thread second(harvestAll, "garagem", std::ref(failure2));
  first.join();
  second.join();
  EXPECT_EQ(failure1, "");
  EXPECT_EQ(failure2, "");
  EXPECT_EQ(Count("events"), 2 * kHarvests);
  EXPECT_EQ(Count("harvests"), 2 * kHarvests);
}

ZM48D_ON_BOTH_ENGINES(ConcurrencyTest);

}  // namespace
}  // namespace zm48d::testing
