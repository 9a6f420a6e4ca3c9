#pragma once
// A test whose COM 1 is open to the emulator before its body runs.
#include <gtest/gtest.h>

#include "tests/support/emulated_line.h"

namespace zm48d::testing {

class OpenLineTest : public ::testing::Test {
 protected:
  void SetUp() override { line.Open(); }

  EmulatedLine line;
};

}  // namespace zm48d::testing
