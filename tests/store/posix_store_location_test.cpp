// Where the store lives when no location is given.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "store/event_store.h"

namespace zm48d::testing {
namespace {

TEST(DefaultStoreLocation, FollowsTheVariablesInTurn) {
  const struct {
    const char *db, *dataHome;
    std::string expected;
  } cases[] = {
      {"/srv/zm48d.db", "/data", "/srv/zm48d.db"},
      {nullptr, "/data", "/data/zm48d/events.db"},
      {"", "", "/home/op/.local/share/zm48d/events.db"},
      {nullptr, nullptr, "/home/op/.local/share/zm48d/events.db"},
  };
  setenv("HOME", "/home/op", 1);
  for (const auto& c : cases) {
    c.db ? setenv("ZM48D_DB", c.db, 1) : unsetenv("ZM48D_DB");
    c.dataHome ? setenv("XDG_DATA_HOME", c.dataHome, 1) : unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(store::DefaultStoreLocation(), c.expected);
  }
}

}  // namespace
}  // namespace zm48d::testing
