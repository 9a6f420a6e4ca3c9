// What the controller keeps of typed relay times and reader timeouts, and the
// window's line for the values that were cut.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "operations/stored_values.h"

namespace zm48d::testing {
namespace {

TEST(StoredValues, EachValueAsTheControllerKeepsIt) {
  struct Case {
    bool relay;  // relay times in ms, else reader timeouts in s
    int typed;
    int stored;
  };
  const Case cases[] = {
      {false, 1, 1},
      {false, 63, 63},
      {false, 64, 0},
      {false, 65, 1},
      {false, 100, 36},
      {false, 0, 0},
      {false, -1, 63},
      {true, 1000, 1000},
      {true, 1100, 1000},
      {true, 249, 0},
      {true, 255 * 250, 255 * 250},
      {true, 256 * 250, 0},
      {true, 0, 0},
      {true, -1, 221 * 250},  // passed on as 4294967295 ms
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.typed) + (c.relay ? " ms" : " s"));
    const std::array<int, 4> typed = {c.typed, c.typed, c.typed, c.typed};
    const ops::StoredValues values =
        c.relay ? ops::StoredRelayTimes(typed) : ops::StoredReaderTimeouts(typed);
    for (const ops::StoredValue& value : values) {
      EXPECT_EQ(value.typed, c.typed);
      EXPECT_EQ(value.stored, c.stored);
    }
    EXPECT_EQ(ops::AnyCut(values), c.typed != c.stored);
  }
}

TEST(StoredValues, TheNoteNamesEachCutValueInOrder) {
  EXPECT_EQ(ops::ReaderTimeoutsCutNote(ops::StoredReaderTimeouts({99, 1, 64, 63})),
            "Leitor 1: 99 gravado como 35 (0..63); Leitor 3: 64 gravado como 0 (0..63)");
  EXPECT_EQ(ops::RelayTimesCutNote(ops::StoredRelayTimes({1000, 1100, 250, 64000})),
            "Relé 2: 1100 gravado como 1000 (múltiplos de 250, 0..63750); "
            "Relé 4: 64000 gravado como 0 (múltiplos de 250, 0..63750)");
  EXPECT_EQ(ops::ReaderTimeoutsCutNote(ops::StoredReaderTimeouts({1, 2, 3, 63})), "");
  EXPECT_EQ(ops::RelayTimesCutNote(ops::StoredRelayTimes({0, 250, 1000, 63750})), "");
}

}  // namespace
}  // namespace zm48d::testing
