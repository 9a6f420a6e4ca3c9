// The console's code page around the command line's output.
#include <gtest/gtest.h>
#include <windows.h>

#include "cli/console_output.h"

namespace zm48d::testing {
namespace {

// Needs a console: under Wine that means a terminal (scripts/test-windows.sh
// runs this test on one through `script`).
TEST(Utf8ConsoleOutput, TheConsoleShowsUtf8WhileItLivesAndItsOwnPageAfterwards) {
  const UINT own = GetConsoleOutputCP();
  if (own == 0) GTEST_SKIP() << "no console: output to a file or a pipe keeps its bytes anyway";
  ASSERT_TRUE(SetConsoleOutputCP(850));  // a Portuguese desktop's page
  {
    const cli::Utf8ConsoleOutput utf8;
    EXPECT_EQ(GetConsoleOutputCP(), static_cast<UINT>(CP_UTF8));
  }
  EXPECT_EQ(GetConsoleOutputCP(), 850u);
  SetConsoleOutputCP(own);
}

}  // namespace
}  // namespace zm48d::testing
