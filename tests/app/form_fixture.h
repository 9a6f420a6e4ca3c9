#pragma once
// A TForm1 whose COM 1 is an emulated controller on a pseudo-terminal and whose
// COM 2 does not exist.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/form1.h"
#include "tests/app/app_test_support.h"
#include "tests/support/emulated_line.h"

namespace zm48d::testing {

class FormTest : public ::testing::Test, private WithApplication {
 protected:
  int Beeps() {
    return line.emulator.With([](auto& controller) { return controller.beeps; });
  }

  EmulatedLine line;
  RecordingMessageSink messages;
  ScriptedFileDialogs dialogs;
  TForm1 form{line.device, messages, dialogs};
};

}  // namespace zm48d::testing
