// The real zm48d executable's events and watch commands against a controller
// emulator on a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/support/emulated_line.h"
#include "tests/support/emulator_memory.h"

namespace zm48d::testing {
namespace {

class EventsAndWatch : public CliOnEmulator {
 protected:
  void Push(std::initializer_list<std::uint8_t> flags) {
    emulator_.With([&](emu::Controller& c) {
      std::uint8_t tag = 0xB2;
      for (std::uint8_t f : flags) {
        ASSERT_TRUE(c.PushEvent(SampleEvent(0xA100 + tag++, f)));
      }
    });
  }
};

// Read only, as "Descarregar Registros": no download mode, no notice; the stack stays.
TEST_F(EventsAndWatch, EventsPrintsTheDecodedTableOldestFirst) {
  Push({0x10, 0xD0});
  const ProcessResult result = Zm48d({"events"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "TAG     Data      Hora      Acesso  Porta    Feriado  Motivo\n"
            "00A1B2  07/12/26  14:05:33  Sim     Porta 1  Não      ok!\n"
            "00A1B3  07/12/26  14:05:33  Sim     Porta 1  Não      porta não habilitada!\n"
            "Total de registros lidos: 2\n");
  EXPECT_EQ(Commands(), "DL DL DL ");
  EXPECT_EQ(Zm48d({"events"}).out, result.out);
}

// --clear runs the download as the hidden test button does: in download mode,
// the stack emptied and the controller told. Afterwards the stack is empty.
TEST_F(EventsAndWatch, EventsClearCsvEmptiesTheStack) {
  Push({0x23});
  const ProcessResult cleared = Zm48d({"events", "--clear", "--csv"});
  EXPECT_EQ(cleared.exitCode, 0) << cleared.err;
  EXPECT_EQ(cleared.out,
            "TAG,Data,Hora,Acesso,Porta,Feriado,Motivo\n"
            "00A1B2,07/12/26,14:05:33,Não,Porta 4,Sim,ok!\n");
  EXPECT_EQ(Commands(), "BE DL DL DL DG I BS ");
  EXPECT_EQ(Notifications(), 1);

  const ProcessResult csv = Zm48d({"events", "--csv"});
  EXPECT_EQ(csv.exitCode, 0);
  EXPECT_EQ(csv.out, "TAG,Data,Hora,Acesso,Porta,Feriado,Motivo\n");
  const ProcessResult table = Zm48d({"events"});
  EXPECT_EQ(table.exitCode, 0);
  EXPECT_EQ(table.out, "Não existem registros a serem lidos!!\n");
  EXPECT_EQ(Notifications(), 1);
}

TEST_F(EventsAndWatch, EventsWithTopBelowStartFails) {
  emulator_.With([](emu::Controller& c) { c.eeprom[11] = 0x10; });  // start 0x0020, top 0x0010
  const ProcessResult result = Zm48d({"events"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Não foi possível ler os dados da eeprom!!\n");
}

// A poll the controller does not finish (its second frame never comes) is a
// line of its own, and the watch goes on to its count; the failures are counted
// at the end.
TEST_F(EventsAndWatch, WatchPrintsOneLinePerPollAndGoesOnAfterAFailure) {
  emulator_.With([](emu::Controller& c) { c.online[0] = {0x00A1B2, 0x05}; });
  emulator_.SetFault({emu::Fault::kDropSecond, 1, 1, 'J'});
  const ProcessResult result = Zm48d({"watch", "--count", "3", "--interval", "10"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  const std::string ok =
      "00A1B2*05 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - "
      "000000*00 - \n";
  EXPECT_EQ(result.out, ok + "Erro de leitura!!\n" + ok);
  EXPECT_EQ(result.err, "watch: 1 of 3 polls failed\n");
  EXPECT_EQ(emulator_.Requests().size(), 3u);
}

// A poll that fails at its first frame still has a second frame on its way:
// the next poll, even with no interval, does not take it for its own answer.
TEST_F(EventsAndWatch, APollAfterAFailedOneReadsItsOwnFrames) {
  emulator_.With([](emu::Controller& c) { c.online[0] = {0x00A1B2, 0x05}; });
  emulator_.SetFault({emu::Fault::kBadChecksum, 0, 1, 'J'});
  const ProcessResult result = Zm48d({"watch", "--count", "2", "--interval", "0"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "Erro de leitura!!\n"
            "00A1B2*05 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - "
            "000000*00 - \n");
}

// A watch that ends on a failed poll fails: the controller is not answering.
TEST_F(EventsAndWatch, WatchEndingOnAFailedPollFails) {
  emulator_.SetFault({emu::Fault::kDropSecond, 1, -1, 'J'});
  ProcessResult result = Zm48d({"watch", "--count", "3", "--interval", "10"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "watch: 2 of 3 polls failed\n");

  emulator_.SetFault({emu::Fault::kNoAnswer});
  result = Zm48d({"watch", "--count", "1", "--interval", "0"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "Erro de leitura!!\n");
  EXPECT_EQ(result.err, "watch: 1 of 1 polls failed\n");
}

TEST_F(EventsAndWatch, MissingPortAndBadWords) {
  ProcessResult result = Zm48d({"watch"}, MissingDevicePath());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro ao abrir porta serial\n" + MissingDeviceLine());
  result = Zm48d({"events", "--csv"}, MissingDevicePath());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro ao abrir a serial!!\n" + MissingDeviceLine());
  for (const Words& words : std::vector<Words>{{"events", "--all"},
                                               {"events", "--csv", "--csv"},
                                               {"watch", "--count"},
                                               {"watch", "--count", "0"},
                                               {"watch", "--interval", "-5"},
                                               {"watch", "3"}}) {
    SCOPED_TRACE(::testing::PrintToString(words));
    EXPECT_EQ(Zm48d(words, MissingDevicePath()).exitCode, 2);
  }
}

}  // namespace
}  // namespace zm48d::testing
