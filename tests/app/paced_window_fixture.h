#pragma once
// A TForm1 whose COM 1 is an emulated controller that answers at the line's own
// 19200 baud, so that a transfer lasts as long as on a real line; the PC's clock
// stands still at 14:05:09 on 9 December 2026.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>

#include "app/form1.h"
#include "tests/app/app_test_support.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {

inline constexpr ops::LocalDateTime kNow{2026, 12, 9, 14, 5, 9};

// A click as the window system delivers it: queued, not sent at once.
inline void PostClick(QWidget* widget) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QCoreApplication::postEvent(
        widget, new QMouseEvent(type, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                                Qt::NoModifier));
  }
}

class PacedWindow : public ::testing::Test, private WithApplication {
 protected:
  void SetUp() override {
    form.PcLocalTime = [] { return kNow; };
    form.FormActivate();
  }
  int Requests(char command) {
    int count = 0;
    for (const auto& request : line.emulator.Requests()) count += request.command == command;
    return count;
  }
  void ChooseTx(int holidays, int groups, int tags) {
    form.Edit8->setText(QString::fromStdString(dir.Write("h.txt", SampleHolidays(holidays))));
    form.Edit9->setText(QString::fromStdString(dir.Write("g.txt", SampleGroups(groups))));
    form.Edit16->setText(QString::fromStdString(dir.Write("t.txt", SampleTags(tags))));
  }

  EmulatedLine line{PacedEmulator()};
  RecordingMessageSink messages;
  ScriptedFileDialogs dialogs;
  TempDir dir;
  TForm1 form{line.device, messages, dialogs};
};

}  // namespace zm48d::testing
