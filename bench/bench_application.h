#pragma once
// One QApplication for the benchmarks that run the window, offscreen unless a
// platform is chosen.
#include <QApplication>

namespace zm48d::bench {

inline void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "zm48d_bench";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
}

}  // namespace zm48d::bench
