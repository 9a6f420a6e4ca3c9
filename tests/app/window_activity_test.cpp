// The window at work: it keeps running events while the line is busy, drops the
// clicks made meanwhile, tells the outcome of each operation on its status bar,
// and shows the frames in its trace pane. Also what the operator meets on the
// pages themselves: fixed header rows, masks, dialogs, translations, small windows.
#include <algorithm>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "app/string_grid.h"
#include "app/toolkit_language.h"
#include "app/trace_pane.h"
#include "tests/app/form_fixture.h"
#include "tests/app/paced_window_fixture.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

void Type(QWidget* widget, const QString& keys) {
  for (QChar key : keys) {
    QKeyEvent press(QEvent::KeyPress, key.unicode(), Qt::NoModifier, QString(key));
    QCoreApplication::sendEvent(widget, &press);
  }
}

TEST_F(PacedWindow, ClicksDuringASendAreDroppedAndEventsKeepRunning) {
  ChooseTx(2, 3, 100);
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(20);
  QTimer::singleShot(100, [&] {
    EXPECT_TRUE(form.IsBusy());
    PostClick(form.Button1);   // Beep
    PostClick(form.Button33);  // a second send
  });
  form.Button33->click();
  QCoreApplication::processEvents();

  EXPECT_EQ(Requests('H'), 0);
  EXPECT_EQ(Requests('I'), 1);  // one send, one notice
  EXPECT_GE(ticks, 5) << "the window stopped running its events during the send";
  EXPECT_FALSE(form.IsBusy());
}

TEST_F(PacedWindow, StatusLineTellsHowEachOperationEnded) {
  form.Button1->click();
  EXPECT_EQ(form.StatusText(), "14:05:09 Beep: ok");

  line.emulator.SetFault({emu::Fault::kNoAnswer});
  form.Button1->click();
  EXPECT_EQ(form.StatusText(), "14:05:09 Beep: Erro!! (sem resposta)");
  line.emulator.SetFault({});

  // A relay says nothing in a box; the status line still tells.
  form.cbSER->setCurrentIndex(1);
  emit form.cbSER->activated(1);
  form.Button2->click();
  EXPECT_TRUE(form.StatusText().startsWith("14:05:09 Relé 1: COM 2 (" +
                                           QString::fromStdString(MissingDevicePath()) + "): "))
      << form.StatusText().toStdString();
  form.cbSER->setCurrentIndex(0);
  emit form.cbSER->activated(0);

  // Header, one holiday frame, one group frame; 8 reads, a write and 5 pages; the notice.
  ChooseTx(2, 3, 100);
  form.Button33->click();
  EXPECT_EQ(form.StatusText(), "14:05:09 Enviar para o aparelho: concluído, 18 quadros");
}

TEST_F(PacedWindow, ProgressOfALongTransferReachesTheStatusLine) {
  ChooseTx(0, 0, 100);
  std::vector<QString> seen;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] { seen.push_back(form.StatusText()); });
  watcher.start(10);
  form.Button33->click();
  EXPECT_NE(std::find(seen.begin(), seen.end(), "Enviando lista: página 3 de 5"), seen.end());
}

using WindowTest = FormTest;

TEST_F(WindowTest, TracePaneHoldsExactlyTheFramesOfABeep) {
  ASSERT_TRUE(form.dwTRAFEGO->isHidden());  // off until "Exibir" opens it
  form.Button1->click();
  form.dwTRAFEGO->Flush();
  const TraceModel& trace = form.dwTRAFEGO->Model();
  ASSERT_EQ(trace.rowCount(), 2);
  EXPECT_TRUE(trace.Row(0).line.endsWith(" -> 02 AA 1E 48 00 1C 03 31 04"))
      << trace.Row(0).line.toStdString();
  EXPECT_EQ(trace.Row(0).meaning, "H beep");
  EXPECT_TRUE(trace.Row(1).line.endsWith(" <- 02 AA 1E 02 1C 4F 4B 03 85 04"))
      << trace.Row(1).line.toStdString();
  EXPECT_EQ(trace.Row(1).meaning, "OK");

  line.emulator.SetFault({emu::Fault::kNoAnswer});
  form.Button1->click();
  form.dwTRAFEGO->Flush();
  ASSERT_EQ(trace.rowCount(), 4);
  EXPECT_EQ(trace.Row(3).meaning, "LinkStatus 7: sem resposta");
  form.dwTRAFEGO->ClearButton->click();
  EXPECT_EQ(trace.rowCount(), 0);
}

TEST_F(WindowTest, FixedHeaderRowStaysInViewAtTheEndOfAFullGrid) {
  form.show();
  form.FormActivate();
  for (int row = 1; row < form.sgLISTA->rowCount(); ++row) {
    SetCellText(*form.sgLISTA, row, 0, QString::number(row));
  }
  form.PageControl1->setCurrentWidget(form.TabSheet4);
  form.sgLISTA->scrollToBottom();
  QCoreApplication::processEvents();
  ASSERT_EQ(form.sgLISTA->verticalScrollBar()->value(),
            form.sgLISTA->verticalScrollBar()->maximum());
  QHeaderView* header = form.sgLISTA->horizontalHeader();
  EXPECT_TRUE(header->isVisible());
  EXPECT_EQ(header->model()->headerData(1, Qt::Horizontal).toString(), "Descrição");
  EXPECT_EQ(header->mapTo(form.sgLISTA, QPoint(0, 0)).y(), form.sgLISTA->frameWidth());
  // Each header text fits its column in the header's own font.
  for (QTableWidget* grid : {form.sgGRUPO, form.sgLISTA, form.sgFER}) {
    for (int c = 0; c < grid->columnCount(); ++c) {
      const QString text = CellText(*grid, 0, c);
      EXPECT_LT(grid->horizontalHeader()->fontMetrics().horizontalAdvance(text),
                grid->columnWidth(c))
          << text.toStdString();
    }
  }
}

// "!" masks: the positions left unfilled in a field are its leading ones.
TEST_F(WindowTest, MaskedEditsPutUnfilledPositionsFirst) {
  form.FormActivate();
  struct Case {
    MaskedEdit* edit;
    QString typed;
    QString reads;
  };
  const Case cases[] = {
      {form.meSEG1, "7", "07:00"},   {form.meSEG1, "14", "14:00"},
      {form.meSEG1, "143", "14:03"}, {form.meHOR, "9:3", "09:03:00"},
      {form.meDAT, "7", "07/00/00"}, {form.meDAT, "071226", "07/12/26"},
  };
  for (const Case& c : cases) {
    c.edit->setText(QString());
    c.edit->setCursorPosition(0);
    Type(c.edit, c.typed);
    EXPECT_EQ(c.edit->MaskedText(), c.reads) << c.typed.toStdString();
  }
  form.meSEG1->setText(QString());
  form.meSEG1->setCursorPosition(0);
  Type(form.meSEG1, "8");
  form.Button6->click();  // "Inserir" takes the edits as they read
  EXPECT_EQ(CellText(*form.sgGRUPO, 1, 1), "08:00");
}

// The toolkit's own dialog: a typed name of a file that does not exist is taken,
// and the handler meets "Cannot open file".
TEST_F(WindowTest, OpenDialogTakesTheNameOfAMissingFile) {
  QtFileDialogs real(&form);
  TForm1 window(line.device, messages, real);
  window.FormActivate();
  TempDir dir;
  const QString missing = QString::fromStdString(dir.Path("nao-existe.txt"));
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(missing);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  window.Button9->click();
  ASSERT_EQ(messages.errors.size(), 1u);
  EXPECT_TRUE(messages.errors[0].startsWith("Cannot open file \"" + missing + "\""))
      << messages.errors[0].toStdString();
}

TEST(ToolkitLanguage, DialogsSpeakPortuguese) {
  WithApplication application;
  ASSERT_TRUE(LoadToolkitTranslations(*QCoreApplication::instance()));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Procurar em:");
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

// At its smallest the window hides no control: each one can be scrolled into view.
TEST_F(WindowTest, EveryControlReachableAtTheMinimumSize) {
  form.show();
  form.resize(form.minimumSize());
  QCoreApplication::processEvents();
  for (int page = 0; page < form.PageControl1->count(); ++page) {
    QWidget* sheet = form.PageControl1->widget(page);
    form.PageControl1->setCurrentIndex(page);
    auto* scroll = sheet->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    for (auto* control : scroll->widget()->findChildren<QAbstractButton*>()) {
      if (control->isHidden()) continue;
      scroll->ensureWidgetVisible(control, 0, 0);
      QCoreApplication::processEvents();
      const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
      EXPECT_TRUE(scroll->viewport()->rect().intersects(shown))
          << control->objectName().toStdString();
    }
  }
}

}  // namespace
}  // namespace zm48d::testing
