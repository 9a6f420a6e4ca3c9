// The "Pilha" page against the emulated controller: the grid download with its
// decoding, counts and messages, and the two hidden test buttons.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

#include "app/string_grid.h"
#include "files/line_file.h"
#include "tests/app/form_fixture.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Row = std::vector<QString>;
using emu::Fault;

constexpr int kConfig = 0x8000;  // the configuration block
const QString kReadFailed = QStringLiteral("Não foi possível ler os dados da eeprom!!");

class StackPageTest : public FormTest {
 protected:
  void Push(std::initializer_list<std::uint8_t> flags) {
    line.emulator.With([&](auto& c) {
      for (std::uint8_t f : flags) ASSERT_TRUE(c.PushEvent(SampleEvent(0xA1B2, f)));
    });
  }
  Bytes Eeprom(int address, int count) { return EepromSlice(line.emulator, address, count); }
  Bytes Settings(int address, int count) { return SettingsSlice(line.emulator, address, count); }
  int Notifications() {
    return line.emulator.With([](auto& c) { return c.notifications; });
  }
  // Each request as its command letter, with the sub-command of 'B', 'D' and 'G'.
  std::string Commands() {
    std::string out;
    for (const auto& r : line.emulator.Requests()) {
      out += static_cast<char>(r.command);
      if ((r.command == 'B' || r.command == 'D' || r.command == 'G') && !r.data.empty()) {
        out += static_cast<char>(r.data[0]);
      }
      out += ' ';
    }
    return out;
  }
  Row GridRow(int row) {
    Row cells;
    for (int column = 0; column < form.sgPIL->columnCount(); ++column) {
      cells.push_back(CellText(*form.sgPIL, row, column));
    }
    return cells;
  }
  void ChoosePort(int index) {
    form.cbSER->setCurrentIndex(index);
    emit form.cbSER->activated(index);
  }
  void ExpectGridUntouched() {
    EXPECT_EQ(form.sgPIL->rowCount(), 100);
    EXPECT_EQ(GridRow(0), Row(7));
    EXPECT_EQ(form.Label23->text(), "Total de registros lidos: ");
  }
};

const Row kHeaderRow = {"TAG", "Data", "Hora", "Acesso", "Porta", "Feriado", "Motivo"};

TEST_F(StackPageTest, DecodesEveryFlagCombinationOldestFirstWithoutTouchingTheStack) {
  Push({0x10, 0x23, 0xD0, 0x40, 0x80});
  const Bytes header = Eeprom(0, 16);
  form.Button34->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(messages.errors.empty());
  EXPECT_EQ(form.Label23->text(), "Total de registros lidos: 5");
  ASSERT_EQ(form.sgPIL->rowCount(), 6);
  EXPECT_EQ(GridRow(0), kHeaderRow);
  EXPECT_EQ(GridRow(1), (Row{"00A1B2", "07/12/26", "14:05:33", "Sim", "Porta 1", "Não", "ok!"}));
  EXPECT_EQ(GridRow(2), (Row{"00A1B2", "07/12/26", "14:05:33", "Não", "Porta 4", "Sim", "ok!"}));
  EXPECT_EQ(GridRow(3), (Row{"00A1B2", "07/12/26", "14:05:33", "Sim", "Porta 1", "Não",
                             "porta não habilitada!"}));
  EXPECT_EQ(GridRow(4), (Row{"00A1B2", "07/12/26", "14:05:33", "Não", "Porta 1", "Não",
                             "tag não cadastrado!"}));
  EXPECT_EQ(GridRow(5).back(), "fora do horário!");
  // Read only: no download mode, no clearing, no notice; the port is released.
  EXPECT_EQ(Commands(), "DL DL DL DL DL ");  // header, then 50 bytes in 16-byte frames
  EXPECT_EQ(Eeprom(0, 16), header);
  EXPECT_EQ(Notifications(), 0);
  EXPECT_FALSE(form.Link().serial.open);
}

// 20 bytes are two records; 25 bytes are two records too, the last 5 ignored.
TEST_F(StackPageTest, CountsWholeRecordsBetweenStartAndTop) {
  Push({0x10, 0x23, 0x10});
  for (int top : {0x0034, 0x0039}) {
    SCOPED_TRACE(top);
    SetStackPointers(line.emulator, 0x0020, top);
    form.Button34->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(form.Label23->text(), "Total de registros lidos: 2");
    ASSERT_EQ(form.sgPIL->rowCount(), 3);
    EXPECT_EQ(GridRow(2)[4], "Porta 4");
  }
}

TEST_F(StackPageTest, DownloadingTwiceShowsTheSameRowsAndShrinksToTheNewCount) {
  Push({0x10, 0x23});
  form.Button34->click();
  const Row first = GridRow(1), second = GridRow(2);
  form.Button34->click();
  ASSERT_EQ(form.sgPIL->rowCount(), 3);
  EXPECT_EQ(GridRow(1), first);
  EXPECT_EQ(GridRow(2), second);

  // A new event shows up behind the old ones.
  Push({0xD0});
  form.Button34->click();
  ASSERT_EQ(form.sgPIL->rowCount(), 4);
  EXPECT_EQ(GridRow(1), first);
  EXPECT_EQ(GridRow(3).back(), "porta não habilitada!");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StackPageTest, FewerThanTenBytesGiveTheHeaderRowAlone) {
  Push({0x10});
  form.Button34->click();
  SetStackPointers(line.emulator, 0x0020, 0x0025);
  form.Button34->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(form.Label23->text(), "Total de registros lidos: 0");
  ASSERT_EQ(form.sgPIL->rowCount(), 1);
  EXPECT_EQ(GridRow(0), kHeaderRow);
}

TEST_F(StackPageTest, EmptyStackSaysSoAndLeavesThePage) {
  form.Button34->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{"Não existem registros a serem lidos!!"});
  EXPECT_EQ(Commands(), "DL ");
  ExpectGridUntouched();
  EXPECT_FALSE(form.Link().serial.open);
}

// A wrapped or damaged header is a failed read: no range error, port released.
TEST_F(StackPageTest, TopBelowStartIsAFailedRead) {
  SetStackPointers(line.emulator, 0x0040, 0x0020);
  form.Button34->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{kReadFailed});
  EXPECT_TRUE(messages.errors.empty());
  EXPECT_EQ(Commands(), "DL ");
  ExpectGridUntouched();
  EXPECT_FALSE(form.Link().serial.open);
}

// A failed header read shows nothing; a failed record read its message. Either
// way the grid and the count keep the previous download.
TEST_F(StackPageTest, FailedReadsKeepThePreviousDownload) {
  Push({0x10, 0x23});
  form.Button34->click();
  Push({0xD0});
  line.emulator.SetFault({Fault::kBadChecksum, 0, 1, 'D'});
  form.Button34->click();
  EXPECT_TRUE(messages.shown.empty());
  line.emulator.SetFault({Fault::kBadChecksum, 1, 1, 'D'});
  form.Button34->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{kReadFailed});
  EXPECT_EQ(form.Label23->text(), "Total de registros lidos: 2");
  EXPECT_EQ(form.sgPIL->rowCount(), 3);
  EXPECT_EQ(GridRow(2)[3], "Não");
  EXPECT_FALSE(form.Link().serial.open);
}

TEST_F(StackPageTest, MissingPortSendsNothing) {
  ChoosePort(1);
  form.Button34->click();
  form.Button40->click();
  form.Button41->click();
  // Only the grid download reports it; the hidden buttons say nothing.
  EXPECT_EQ(messages.shown, std::vector<QString>{"Erro ao abrir a serial!!"});
  EXPECT_TRUE(line.emulator.Requests().empty());
}

class EventFileTest : public StackPageTest {
 protected:
  void SetUp() override { form.EventFileName = QString::fromStdString(dir.Path("TESTEZM48D.TXT")); }
  TempDir dir;
};

// The download runs bracketed, the stack is emptied and the controller told;
// the file holds the EventLines in Windows-1252 with CR LF.
TEST_F(EventFileTest, SavesTheEventsAndEmptiesTheStack) {
  Push({0x10, 0x23});
  const Bytes header = Eeprom(0, 16);
  form.Button40->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{"Operação concluída!!"});
  EXPECT_EQ(dir.Read("TESTEZM48D.TXT"),
            "00A1B2*07/12/26*14:05:33*Sim*Porta 1*N\xE3o*\r\n"
            "00A1B2*07/12/26*14:05:33*N\xE3o*Porta 4*Sim*\r\n");
  EXPECT_EQ(Commands(), "BE DL DL DL DL DG I BS ");
  Bytes cleared = header;
  cleared[10] = header[8];
  cleared[11] = header[9];
  EXPECT_EQ(Eeprom(0, 16), cleared);
  EXPECT_EQ(Notifications(), 1);
  EXPECT_FALSE(form.Link().serial.open);

  // The stack is empty now: an empty file replaces the old one, and no notice.
  form.Button40->click();
  EXPECT_EQ(messages.shown.back(), "Operação concluída!!");
  EXPECT_EQ(dir.Read("TESTEZM48D.TXT"), "");
  EXPECT_EQ(Notifications(), 1);
}

TEST_F(EventFileTest, FailedDownloadWritesNoFileAndKeepsTheStack) {
  Push({0x10});
  const Bytes header = Eeprom(0, 16);
  line.emulator.SetFault({Fault::kBadChecksum, 1, 1, 'D'});
  form.Button40->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{"Erro!!"});
  EXPECT_FALSE(FileExists(dir.Path("TESTEZM48D.TXT")));
  EXPECT_EQ(Eeprom(0, 16), header);
  EXPECT_EQ(Notifications(), 0);
}

// A file that cannot be written keeps the events on the controller: the stack
// is emptied only after they are saved.
TEST_F(EventFileTest, FileThatCannotBeWrittenKeepsTheStack) {
  form.EventFileName = QString::fromStdString(dir.Path("no such folder/TESTEZM48D.TXT"));
  Push({0x10, 0x23});
  const Bytes header = Eeprom(0, 16);
  form.Button40->click();
  EXPECT_EQ(messages.shown,
            std::vector<QString>{"Registros não gravados: a pilha não foi apagada, os registros "
                                 "continuam no controlador!!"});
  EXPECT_EQ(Eeprom(0, 16), header);
  EXPECT_EQ(Commands(), "BE DL DL DL BS ");
  EXPECT_EQ(Notifications(), 0);
  EXPECT_FALSE(form.Link().serial.open);
}

// Off Windows the fixed test file lives in the home folder.
TEST_F(StackPageTest, EventFileDefaultsToTheHomeFolder) {
  TempDir home;
  const QByteArray oldHome = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(home.Path("")));
  Push({0x10});
  form.Button40->click();
  qputenv("HOME", oldHome);
  EXPECT_EQ(messages.shown, std::vector<QString>{"Operação concluída!!"});
  EXPECT_EQ(home.Read("TESTEZM48D.TXT"), "00A1B2*07/12/26*14:05:33*Sim*Porta 1*N\xE3o*\r\n");
}

TEST_F(StackPageTest, DefaultConfigurationWritesRelayTimesAndReaderTimeouts) {
  line.emulator.With([](auto& c) {
    for (int i = 0; i < 128; ++i) c.settings[kConfig + i] = static_cast<std::uint8_t>(0x40 + i);
  });
  Bytes expected = Settings(kConfig, 128);
  for (int i = 6; i <= 9; ++i) expected[i] = 6;    // 1500 ms in units of 250 ms
  for (int i = 16; i <= 19; ++i) expected[i] = 2;  // seconds
  form.Button41->click();
  EXPECT_EQ(messages.shown, std::vector<QString>{"Operação concluída!!"});
  EXPECT_EQ(Settings(kConfig, 128), expected);
  EXPECT_EQ(Notifications(), 1);
  EXPECT_FALSE(form.Link().serial.open);

  line.emulator.SetFault({Fault::kBadChecksum, 0, 1, 'G'});
  form.Button41->click();
  EXPECT_EQ(messages.shown.back(), "Erro!!");
  EXPECT_EQ(Notifications(), 1);
}

}  // namespace
}  // namespace zm48d::testing
