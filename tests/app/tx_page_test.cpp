// The "TX" page and "Enviar lista para o aparelho" over the emulated controller:
// the stack-space calculation, the three stages of the send sequence with their
// messages, and what the controller holds afterwards.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>

#include "tests/app/form_fixture.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_bounds.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<QString>;
using Clock = std::chrono::steady_clock;

// Rule files with only their header and count lines: all the calculation reads.
Lines Holidays(int count) { return {"ZM48D-FERIADOS", std::to_string(count)}; }
Lines Groups(int count) { return {"ZM48D-GRUPOS", std::to_string(count)}; }

// One group line from its fourteen "hh:mm" times and its holiday flag, and the
// record the controller should get for it: each digit pair read as BCD.
struct GroupSample {
  std::string line;
  Bytes record;
};

GroupSample MakeGroup(int number, const Lines& times, bool holidays) {
  char head[4];
  std::snprintf(head, sizeof head, "%02d", number);
  GroupSample sample{head, {}};
  for (const std::string& time : times) {
    sample.line += "*" + time;
    sample.record.push_back(static_cast<std::uint8_t>(std::stoi(time.substr(0, 2), nullptr, 16)));
    sample.record.push_back(static_cast<std::uint8_t>(std::stoi(time.substr(3, 2), nullptr, 16)));
  }
  sample.line += holidays ? "*Sim" : "*N\xE3o";
  sample.record.push_back(holidays ? 1 : 0);
  return sample;
}

class TxPage : public FormTest {
 protected:
  void SetUp() override { form.FormActivate(); }

  void UseFiles(const std::string& holidays, const std::string& groups, const std::string& tags) {
    form.Edit8->setText(QString::fromStdString(holidays));
    form.Edit9->setText(QString::fromStdString(groups));
    form.Edit16->setText(QString::fromStdString(tags));
  }
  QString Calculate(const std::string& holidays, const std::string& groups) {
    UseFiles(holidays, groups, "");
    form.Button32->click();
    return form.lbPIL->text();
  }
  void ChoosePort(int number) {
    form.cbSER->setCurrentIndex(number - 1);
    emit form.cbSER->activated(number - 1);
  }
  std::string Commands() {
    std::string letters;
    for (const auto& request : line.emulator.Requests())
      letters += static_cast<char>(request.command);
    return letters;
  }
  int Notifications() {
    return line.emulator.With([](auto& c) { return c.notifications; });
  }
  Bytes Eeprom(int at, int n) { return EepromSlice(line.emulator, at, n); }
  Bytes Settings(int at, int n) { return SettingsSlice(line.emulator, at, n); }

  TempDir dir;
};

TEST_F(TxPage, PathButtonsFillTheirEditsFromTheSharedOpenDialog) {
  dialogs.answers = {"/data/feriados.txt", "/data/grupos.txt", "/data/lista.txt", ""};
  form.Button14->click();
  form.Button16->click();
  form.Button38->click();
  form.Button14->click();  // cancelled: Edit8 keeps its path
  EXPECT_EQ(form.Edit8->text(), "/data/feriados.txt");
  EXPECT_EQ(form.Edit9->text(), "/data/grupos.txt");
  EXPECT_EQ(form.Edit16->text(), "/data/lista.txt");
  ASSERT_EQ(dialogs.calls.size(), 4u);
  EXPECT_EQ(dialogs.calls[1].kind, ScriptedFileDialogs::Kind::kOpen);
  EXPECT_EQ(dialogs.calls[1].lastName, "/data/feriados.txt")
      << "one dialog, remembering its last name";
  EXPECT_TRUE(line.emulator.Requests().empty());
}

TEST_F(TxPage, StackSpaceIsSignedAndTruncatedTowardZero) {
  const auto h0 = dir.Write("h0", Holidays(0));
  EXPECT_EQ(Calculate(h0, dir.Write("g0", Groups(0))), "= 201");
  EXPECT_EQ(Calculate(dir.Write("h10", Holidays(10)), dir.Write("g5", Groups(5))), "= 185");
  EXPECT_EQ(Calculate(h0, dir.Write("g70", Groups(70))), "= -1");
  EXPECT_EQ(Calculate(h0, dir.Write("g71", Groups(71))), "= -4") << "-43 / 10 is -4, not -5";
  // Counts are used whole: 300 groups is not taken as 44.
  EXPECT_EQ(Calculate(h0, dir.Write("g300", Groups(300))), "= -668");
  EXPECT_GE(form.lbPIL->width(), form.lbPIL->sizeHint().width()) << "the result is not cut off";
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(line.emulator.Requests().empty());
}

TEST_F(TxPage, StackSpaceRefusesWrongFilesAndKeepsTheLabel) {
  const auto h = dir.Write("h", Holidays(0));
  const auto g = dir.Write("g", Groups(0));
  ASSERT_EQ(Calculate(h, g), "= 201");
  const std::vector<std::pair<std::string, std::string>> wrong = {
      {g, h},                                        // swapped
      {h, dir.Write("gx", {"ZM48D-GRUPOS", "1x"})},  // line 2 not a number
      {h, dir.Write("g1", {"ZM48D-GRUPOS"})},        // a single line
      {dir.Write("h1", {"ZM48D-FERIADOS"}), g},
      {dir.Write("hb", {"ZM48D-FERIADOS ", "0"}), g},  // trailing blank
      {dir.Write("empty", {}), g},
  };
  for (const auto& [holidays, groups] : wrong) {
    messages.shown.clear();
    EXPECT_EQ(Calculate(holidays, groups), "= 201") << holidays << " " << groups;
    EXPECT_EQ(messages.shown, Texts{"Arquivos incompatíveis!!"}) << holidays << " " << groups;
  }
  messages.shown.clear();
  EXPECT_EQ(Calculate(h, ""), "= 201");
  EXPECT_EQ(Calculate("", g), "= 201");
  EXPECT_EQ(messages.shown,
            (Texts{"Escolha os arquivos corretamente!", "Escolha os arquivos corretamente!"}));
  EXPECT_TRUE(messages.errors.empty());
}

TEST_F(TxPage, StackSpaceOfAMissingFileEndsInTheErrorBox) {
  const auto missing = dir.Path("nao-existe.txt");
  EXPECT_EQ(Calculate(missing, dir.Write("g", Groups(0))), "=");
  ASSERT_EQ(messages.errors.size(), 1u);
  EXPECT_TRUE(messages.errors[0].startsWith("Cannot open file \"" +
                                            QString::fromStdString(missing) + "\". "))
      << messages.errors[0].toStdString();
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TxPage, AllPathsEmptyStillNotifiesUnderTheHourglass) {
  std::vector<bool> hourglass;
  messages.onShow = [&](const QString&) {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    hourglass.push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
  };
  form.Button33->click();
  EXPECT_EQ(messages.shown, (Texts{"Escolha os arquivos corretamente!", "Lista não enviada!!"}));
  EXPECT_EQ(hourglass, (std::vector<bool>{true, true}));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Commands(), "I");
  EXPECT_EQ(Notifications(), 1);
  EXPECT_FALSE(form.Link().serial.open);
}

TEST_F(TxPage, RulesWithoutTagListAreSentThenNotified) {
  UseFiles(dir.Write("h", SampleHolidays(2)), dir.Write("g", SampleGroups(3)), "");
  form.Button33->click();
  EXPECT_EQ(messages.shown, Texts{"Lista não enviada!!"});
  EXPECT_EQ(Commands(), "DDDI");
  EXPECT_EQ(Eeprom(0, 14),
            (Bytes{2, 0x00, 0x20, 3, 0x00, 0x24, 0, 0, 0x00, 0x7B, 0x00, 0x7B, 0x07, 0xFB}));
}

// Files a stage would refuse stop the whole send before the first frame: the
// controller is never left with new rules beside an old tag list, nor the reverse.
TEST_F(TxPage, RefusedFilesStopTheWholeSendBeforeAnyFrame) {
  const auto h = dir.Write("h", SampleHolidays(1));
  const auto g = dir.Write("g", SampleGroups(1));
  const auto t = dir.Write("t", SampleTags(1));
  struct Case {
    std::string holidays, groups, tags;
    Texts shown;
  };
  const Case cases[] = {
      {g, h, t, {"Arquivos incompatíveis!!"}},  // swapped
      {h, g, h, {"Erro ao enviar lista para o aparelho!!"}},
      {h, g, dir.Write("tneg", {"ZM48D-LISTA", "-5"}), {"Erro ao enviar lista para o aparelho!!"}},
      {h, g, dir.Write("tvazio", {}), {"Erro ao enviar lista para o aparelho!!"}},
  };
  const Bytes eeprom = Eeprom(0, 2048);
  const Bytes settings = Settings(0x8000, 0x8000);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tags);
    messages.shown.clear();
    UseFiles(c.holidays, c.groups, c.tags);
    form.Button33->click();
    EXPECT_EQ(messages.shown, c.shown);
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(line.emulator.Requests().empty());
  }
  EXPECT_EQ(Eeprom(0, 2048), eeprom);
  EXPECT_EQ(Settings(0x8000, 0x8000), settings);
}

TEST_F(TxPage, MissingPortGivesBothOpenFailuresAndNothingElse) {
  ChoosePort(kMissingPort);
  UseFiles(dir.Write("h", SampleHolidays(1)), dir.Write("g", SampleGroups(1)),
           dir.Write("t", SampleTags(1)));
  form.Button33->click();
  EXPECT_EQ(messages.shown, (Texts{"Erro ao abrir a serial!", "Erro ao abrir a serial!!"}));
  EXPECT_TRUE(line.emulator.Requests().empty());
  EXPECT_TRUE(messages.errors.empty());
}

// Every stage waits out the serial timeouts: about 1.4 s each, three of them.
TEST_F(TxPage, SilentControllerFailsEachStageAndTheNoticeSilently) {
  line.emulator.SetFault(emu::FaultPlan{emu::Fault::kNoAnswer});
  UseFiles(dir.Write("h", SampleHolidays(1)), dir.Write("g", SampleGroups(1)),
           dir.Write("t", SampleTags(1)));
  std::vector<bool> openDuringMessage;
  messages.onShow = [&](const QString&) { openDuringMessage.push_back(form.Link().serial.open); };
  const auto start = Clock::now();
  form.Button33->click();
  const auto elapsed = Clock::now() - start;
  EXPECT_EQ(messages.shown, (Texts{"Erro ao enviar configuração da eep!!",
                                   "Erro ao enviar lista para o aparelho!!"}));
  EXPECT_EQ(openDuringMessage, (std::vector<bool>{true, true}));
  EXPECT_EQ(Commands(), "DGI") << "one frame per stage, no retry";
  EXPECT_GE(elapsed, std::chrono::milliseconds(3 * 1200));
  EXPECT_LT(elapsed, Loaded(std::chrono::milliseconds(3 * 1500)));
  EXPECT_FALSE(form.Link().serial.open);
}

TEST_F(TxPage, RulesThatDoNotFitAreNotSentAndTheCalculationShowsWhy) {
  UseFiles(dir.Write("h", SampleHolidays(0)), dir.Write("g", SampleGroups(70)), "");
  const Bytes before = Eeprom(0, 2048);
  form.Button33->click();
  EXPECT_EQ(messages.shown, Texts{"Erro ao enviar configuração da eep!!"});
  EXPECT_EQ(Commands(), "") << "a refused file stops the send, the notice too";
  EXPECT_EQ(Eeprom(0, 2048), before);
  form.Button32->click();
  EXPECT_EQ(form.lbPIL->text(), "= -1");
}

TEST_F(TxPage, UnreadableRulesFileEndsTheSequenceInTheErrorBox) {
  const auto missing = dir.Path("sumiu.txt");
  UseFiles(missing, dir.Write("g", SampleGroups(1)), dir.Write("t", SampleTags(1)));
  form.Button33->click();
  ASSERT_EQ(messages.errors.size(), 1u);
  EXPECT_TRUE(
      messages.errors[0].startsWith("Cannot open file \"" + QString::fromStdString(missing)));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(line.emulator.Requests().empty()) << "neither the tag list nor the notice follows";
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A count line that is not a number stops the send before anything is sent,
// the rules stage too; its text reaches the error box as the operator wrote
// it, not as file bytes, with the file's name.
TEST_F(TxPage, BadTagCountEndsTheSequenceWithTheTextInUtf8) {
  const auto t = dir.Write("t", {"ZM48D-LISTA", "tr\xEAs"});
  UseFiles("", "", t);
  form.Button33->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(messages.errors,
            Texts{QString::fromStdString("'três' is not a valid integer value in \"" + t + "\"")});
  EXPECT_TRUE(line.emulator.Requests().empty());
  EXPECT_FALSE(form.Link().serial.open);
}

TEST_F(TxPage, CompleteSendLeavesExactlyTheImageAndAnEmptyStack) {
  const Lines weekdays = {"08:00", "18:00", "08:00", "18:00", "08:00",
                          "18:00", "08:00", "18:00", "08:00", "18:00"};
  Lines g1 = weekdays, g2 = weekdays, g3(14, "00:00");
  g1.insert(g1.end(), {"00:00", "23:59", "00:00", "23:59"});
  g2.insert(g2.end(), {"07:30", "12:45", "00:00", "00:00"});
  const GroupSample groups[] = {MakeGroup(1, g1, false), MakeGroup(2, g2, true),
                                MakeGroup(3, g3, false)};
  Lines groupsFile = Groups(3);
  Bytes groupTable;
  for (const auto& group : groups) {
    groupsFile.push_back(group.line);
    groupTable.insert(groupTable.end(), group.record.begin(), group.record.end());
  }
  UseFiles(dir.Write("h", {"ZM48D-FERIADOS", "2", "25/12*Natal", "01/01*Ano Novo"}),
           dir.Write("g", groupsFile),
           dir.Write("t", {"ZM48D-LISTA", "4", "00A1B2*05*001*Portaria", "123456*0F*002*",
                           "ABCDEF*01*300*Grupo longo", "000001*08*010*X"}));
  // Old rules with events waiting, old tags past the new list's end.
  line.emulator.With([](auto& c) {
    const std::uint8_t oldHeader[14] = {1, 0x00, 0x20, 1,    0x00, 0x22, 0,
                                        0, 0x00, 0x3F, 0x00, 0x5D, 0x07, 0xF9};
    std::copy(std::begin(oldHeader), std::end(oldHeader),
              c.eeprom.begin());  // three events waiting
    std::fill(c.settings.begin() + 0xB000, c.settings.begin() + 0xB100, 0x77);
    return 0;
  });

  form.Button33->click();

  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(messages.errors.empty());
  EXPECT_EQ(Eeprom(0, 14),
            (Bytes{2, 0x00, 0x20, 3, 0x00, 0x24, 0, 0, 0x00, 0x7B, 0x00, 0x7B, 0x07, 0xFB}))
      << "stack start 0x007B = top: the event stack is empty";
  EXPECT_EQ(Eeprom(0x20, 4), (Bytes{0x25, 0x12, 0x01, 0x01}));
  EXPECT_EQ(Eeprom(0x24, 3 * 29), groupTable);
  EXPECT_EQ(Settings(0x8000 + 10, 4), (Bytes{0xB0, 0x00, 0x00, 0x04}));
  Bytes page = {0x00, 0xA1, 0xB2, 0x05, 0x01, 0x12, 0x34, 0x56, 0x0F, 0x02, 0xAB,
                0xCD, 0xEF, 0x01, 0x2C, 0x00, 0x00, 0x00, 0x01, 0x08, 0x0A};
  page.resize(128, 0x00);
  EXPECT_EQ(Settings(0xB000, 128), page);
  EXPECT_EQ(Settings(0xB080, 1), Bytes{0x77}) << "one page only";
  const std::string commands = Commands();
  EXPECT_EQ(commands.substr(0, 3), "DDD");
  EXPECT_EQ(commands.back(), 'I');
  EXPECT_EQ(Notifications(), 1);
  EXPECT_FALSE(form.Link().serial.open);
}

TEST_F(TxPage, EnviarListaSendsTheChosenFileWithoutAWord) {
  const auto tags = dir.Write("lista.txt", SampleTags(25));
  dialogs.answers = {QString::fromStdString(tags),
                     QString::fromStdString(dir.Path("nao-existe.txt")), ""};
  form.Button35->click();
  EXPECT_EQ(Settings(0x8000 + 10, 4), (Bytes{0xB0, 0x00, 0x00, 25}));
  EXPECT_EQ(Settings(0xB080, 5), (Bytes{0xA1, 0x00, 0x18, 0x05, 24 % 7}));
  EXPECT_EQ(Notifications(), 0) << "no notice from this button";
  line.emulator.ClearRequests();

  form.Button35->click();  // a typed name of no file
  form.Button35->click();  // cancelled
  EXPECT_TRUE(line.emulator.Requests().empty());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(messages.errors.empty());
  ASSERT_EQ(dialogs.calls.size(), 3u);
  EXPECT_EQ(dialogs.calls[0].kind, ScriptedFileDialogs::Kind::kSave);

  ChoosePort(kMissingPort);
  dialogs.answers = {QString::fromStdString(tags)};
  form.Button35->click();
  EXPECT_EQ(messages.shown, Texts{"Erro ao abrir a serial!!"});
}

}  // namespace
}  // namespace zm48d::testing
