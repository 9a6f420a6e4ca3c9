#include "tests/app/app_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace zm48d::testing {

namespace {

// The application is deleted after the last test, while the toolkit is still
// whole: left to the static destructors, the input devices that synthetic key
// and mouse events create would be torn down after their platform.
class ApplicationEnvironment final : public ::testing::Environment {
 public:
  void TearDown() override { delete QApplication::instance(); }
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

WithApplication::WithApplication() {
  if (QApplication::instance() != nullptr) return;
  // Running the test program by hand on a machine without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "test_app";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace zm48d::testing
