#include "tests/app/app_test_support.h"

#include <QApplication>

namespace zm48d::testing {

WithApplication::WithApplication() {
  if (QApplication::instance() != nullptr) return;
  // Running the test program by hand on a machine without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "test_app";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
}

}  // namespace zm48d::testing
