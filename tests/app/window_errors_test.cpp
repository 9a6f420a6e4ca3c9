// What the window tells the operator beyond a handler's own message, over the
// emulated controller: values the controller's fields cut, why a port did not
// open, message boxes with their whole title and, for a failure, the frames
// that led to it.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

#include "app/trace_pane.h"
#include "tests/app/basic_page_fixture.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

constexpr ops::LocalDateTime kNow{2026, 12, 9, 14, 5, 9};

class WindowErrors : public BasicPageTest {
 protected:
  void SetUp() override {
    form.PcLocalTime = [] { return kNow; };
  }
};

// --- Values cut to their field ----------------------------------------------------

TEST_F(WindowErrors, GravaTellsWhatWasStoredForEachValueThatWasCut) {
  struct Case {
    QPushButton* button;
    std::vector<QLineEdit*> edits;
    std::array<const char*, 4> typed;
    const char* box;
    const char* note;  // what ends the status line; empty: nothing was cut
  };
  const Case cases[] = {
      {form.Button37,
       ReaderEdits(),
       {"99", "1", "64", "63"},
       "Programação concluída com sucesso!!",
       "; Leitor 1: 99 gravado como 35 (0..63); Leitor 3: 64 gravado como 0 (0..63)"},
      {form.Button37,
       ReaderEdits(),
       {"1", "63", "0", "-1"},
       "Programação concluída com sucesso!!",
       "; Leitor 4: -1 gravado como 63 (0..63)"},
      {form.Button37,
       ReaderEdits(),
       {"1", "2", "3", "63"},
       "Programação concluída com sucesso!!",
       ""},
      {form.Button26,
       RelayEdits(),
       {"1000", "1100", "249", "63750"},
       "Gravação concluída com sucesso!",
       "; Relé 2: 1100 gravado como 1000 (múltiplos de 250, 0..63750); "
       "Relé 3: 249 gravado como 0 (múltiplos de 250, 0..63750)"},
      {form.Button26,
       RelayEdits(),
       {"64000", "250", "0", "500"},
       "Gravação concluída com sucesso!",
       "; Relé 1: 64000 gravado como 0 (múltiplos de 250, 0..63750)"},
      {form.Button26,
       RelayEdits(),
       {"1000", "250", "0", "63750"},
       "Gravação concluída com sucesso!",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    messages.shown.clear();
    for (std::size_t i = 0; i < c.edits.size(); ++i) c.edits[i]->setText(c.typed[i]);
    Click(c.button);
    EXPECT_EQ(messages.shown, Texts({c.box}));
    const QString status = form.StatusText();
    if (*c.note == '\0') {
      EXPECT_FALSE(status.contains(QStringLiteral("gravado como"))) << status.toStdString();
    } else {
      EXPECT_TRUE(status.endsWith(QString::fromUtf8(c.note))) << status.toStdString();
    }
  }
  // The cut is the controller's: the bytes are what they always were.
  EXPECT_EQ(Settings(kConfig + 6, 4), (Bytes{4, 1, 0, 255}));
}

TEST_F(WindowErrors, AFailedGravaTellsNoStoredValue) {
  SetTexts(ReaderEdits(), {"99", "1", "1", "1"});
  line.emulator.SetFault({emu::Fault::kNotOk, 8, 1, 'G'});  // the page write
  Click(form.Button37);
  EXPECT_EQ(messages.shown, Texts({"Erro na programação do timeout dos leitores!!"}));
  EXPECT_FALSE(form.StatusText().contains(QStringLiteral("gravado como")))
      << form.StatusText().toStdString();
}

// --- Why a port did not open ------------------------------------------------------

// COM 1 is the emulator, COM 2 a missing device, COM 3 /dev/null, COM 4 a folder.
class PortReasons : public ::testing::Test, private WithApplication {
 protected:
  void SetUp() override {
    form.PcLocalTime = [] { return kNow; };
  }

  void Beep(int port) {
    form.cbSER->setCurrentIndex(port - 1);
    emit form.cbSER->activated(port - 1);
    form.Button1->click();
  }

  EmulatedLine line;
  TempDir dir;
  PosixSerialLink device{[this](int port) -> std::string {
    switch (port) {
      case 1: return line.emulator.TerminalPath();
      case 3: return "/dev/null";
      case 4: return dir.Root().string();
      default: return MissingDevicePath();
    }
  }};
  RecordingMessageSink messages;
  ScriptedFileDialogs dialogs;
  TForm1 form{device, messages, dialogs};
};

TEST_F(PortReasons, StatusLineGivesThePortItsDeviceAndTheReasonInPortuguese) {
  struct Case {
    int port;
    std::string status;
  };
  const Case cases[] = {
      {2, "14:05:09 Beep: COM 2 (" + MissingDevicePath() + "): dispositivo não existe"},
      {3, "14:05:09 Beep: COM 3 (/dev/null): não é um dispositivo serial"},
      {4, "14:05:09 Beep: COM 4 (" + dir.Root().string() + "): não é um dispositivo serial"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    Beep(c.port);
    EXPECT_EQ(form.StatusText(), QString::fromStdString(c.status));
  }
  // The message boxes keep their own texts.
  EXPECT_EQ(messages.shown,
            std::vector<QString>(3, QStringLiteral("Erro ao abrir a porta serial!!")));
}

// Another holder of the line: this process, so the system names no other program.
TEST_F(PortReasons, APortInUseIsToldAsSuch) {
  line.Open();
  Beep(1);
  EXPECT_EQ(form.StatusText(),
            QString::fromStdString("14:05:09 Beep: COM 1 (" + line.emulator.TerminalPath() +
                                   "): em uso por outro programa"));
  SerialClose(line.link.serial);
  Beep(1);
  EXPECT_EQ(form.StatusText(), QStringLiteral("14:05:09 Beep: ok"));
}

// --- A failure's details ----------------------------------------------------------

// The pane is hidden, as the window starts; it records all the same. The box
// shows the failing operation's own frames, not those of the beeps before it.
TEST_F(WindowErrors, AFailureCarriesItsOwnTraceLines) {
  ASSERT_FALSE(form.dwTRAFEGO->isVisible());
  for (int i = 0; i < 12; ++i) Click(form.Button1);  // 24 lines
  line.emulator.SetFault({emu::Fault::kBadChecksum});
  Click(form.Button1);
  ASSERT_EQ(messages.shown, Texts({"Erro!!"}));
  const QString details = messages.details.back();
  const QStringList lines = details.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2) << details.toStdString();
  EXPECT_TRUE(lines.first().contains(QStringLiteral(" -> "))) << details.toStdString();
  EXPECT_TRUE(lines.last().contains(QStringLiteral("checksum errado"))) << details.toStdString();
  EXPECT_TRUE(form.dwTRAFEGO->Text().endsWith(details));

  // A message that is no failure has none.
  line.emulator.SetFault({});
  Click(form.Button37);
  EXPECT_EQ(messages.details.back(), QString());
}

// --- The real message box ---------------------------------------------------------

// Beside its text a title bar holds the box's icon and three buttons.
constexpr int kTitleBarRoom = 120;

class RealBoxes : public ::testing::Test, private WithApplication {
 protected:
  struct Box {
    QString title;
    QString text;
    QString details;
    int width = 0;
    int titleWidth = 0;
  };

  // Clicks `button` and reads the box it shows, then closes it. The window runs
  // its events while the line is busy, so the box is waited for.
  Box BoxOf(QPushButton* button) {
    Box seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      watch.stop();
      seen = {box->windowTitle(), box->text(), box->detailedText(), box->width(),
              QFontMetrics(box->font()).horizontalAdvance(box->windowTitle())};
      box->done(QMessageBox::Ok);
    });
    watch.start(10);
    button->click();
    return seen;
  }

  EmulatedLine line;
  QtMessageSink messages;
  ScriptedFileDialogs dialogs;
  TForm1 form{line.device, messages, dialogs};
};

TEST_F(RealBoxes, EveryBoxShowsTheWholeCaptionAndAFailureItsFrames) {
  form.FormActivate();
  messages.SetParent(&form);
  line.emulator.SetFault({emu::Fault::kBadChecksum});
  const Box failure = BoxOf(form.Button1);  // "Beep"
  EXPECT_EQ(failure.text, QStringLiteral("Erro!!"));
  EXPECT_TRUE(failure.details.contains(QStringLiteral("checksum errado")))
      << failure.details.toStdString();

  form.Edit12->setText(QStringLiteral("x"));
  const Box error = BoxOf(form.Button37);
  EXPECT_EQ(error.text, QStringLiteral("'x' is not a valid integer value"));
  EXPECT_EQ(error.details, QString());

  for (const Box& box : {failure, error}) {
    EXPECT_EQ(box.title, QStringLiteral("Terminal de Testes ZM48D"));
    EXPECT_GE(box.width, box.titleWidth + kTitleBarRoom) << box.text.toStdString();
  }
}

}  // namespace
}  // namespace zm48d::testing
