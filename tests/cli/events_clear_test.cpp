// `zm48d events --clear` over a pseudo-terminal: the stack is emptied only after
// every row reached an output that succeeded, inside download mode; a stop
// (Ctrl+C, SIGTERM) unwinds and says what the controller holds.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/support/emulated_line.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_bounds.h"

namespace zm48d::testing {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using emu::Fault;

class EventsClear : public CliOnEmulator {
 protected:
  void Push(emu::PtyEmulator& emulator, int count) {
    emulator.With([&](emu::Controller& c) {
      for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(c.PushEvent(SampleEvent(0x100000 + static_cast<std::uint32_t>(i))));
      }
    });
  }
  static Bytes Header(emu::PtyEmulator& emulator) { return StackHeaderOf(emulator); }
  static bool InDownloadMode(emu::PtyEmulator& emulator) {
    return emulator.With([](emu::Controller& c) { return c.downloadMode; });
  }
  ProcessResult Clear(RunOptions options, const std::string& device = "") {
    return RunProgram(
        program_,
        {"--port", device.empty() ? emulator_.TerminalPath() : device, "events", "--clear"},
        options);
  }
};

// An output that fails takes nothing from the controller: the stack stays,
// download mode is left, and the message says where the events are.
TEST_F(EventsClear, OutputThatFailsLeavesTheStack) {
  struct Case {
    const char* name;
    RunOptions options;
    const char* reason;
  };
  RunOptions full;
  full.outputPath = "/dev/full";
  RunOptions gone;
  gone.outputReaderGone = true;
  for (const Case& c : {Case{"a full disk", full, "No space left on device"},
                        Case{"a reader that went away", gone, "Broken pipe"}}) {
    SCOPED_TRACE(c.name);
    emulator_.ClearRequests();
    Push(emulator_, 3);
    const Bytes header = Header(emulator_);
    const ProcessResult result = Clear(c.options);
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find("Registros não gravados: a pilha não foi apagada, os registros "
                              "continuam no controlador!!\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find(std::string("standard output: ") + c.reason), std::string::npos)
        << result.err;
    EXPECT_EQ(Header(emulator_), header);
    EXPECT_FALSE(InDownloadMode(emulator_));
    EXPECT_EQ(Commands(), "BE DL DL DL BS ");
    EmptyStack(emulator_);
  }
}

// Output that never arrived is no success, for any command.
TEST_F(EventsClear, ReadingToAFullDiskFails) {
  Push(emulator_, 2);
  RunOptions full;
  full.outputPath = "/dev/full";
  const ProcessResult result =
      RunProgram(program_, {"--port", emulator_.TerminalPath(), "events"}, full);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "zm48d: standard output: write failed\n");
}

// Rows written to a file that succeeded: then, and only then, the stack goes.
TEST_F(EventsClear, RowsInAFileThenTheStackEmptied) {
  Push(emulator_, 2);
  TempDir dir;
  RunOptions options;
  options.outputPath = dir.Path("events.txt");
  const ProcessResult result = Clear(options);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(dir.Read("events.txt"),
            "TAG     Data      Hora      Acesso  Porta    Feriado  Motivo\n"
            "100000  07/12/26  14:05:33  Sim     Porta 1  Não      ok!\n"
            "100001  07/12/26  14:05:33  Sim     Porta 1  Não      ok!\n"
            "Total de registros lidos: 2\n");
  const Bytes header = Header(emulator_);
  EXPECT_EQ(header[10], header[8]);
  EXPECT_EQ(header[11], header[9]);
  EXPECT_EQ(Commands(), "BE DL DL DL DL DG I BS ");
}

// Download mode refused, or an emptying not confirmed: the rows are delivered,
// exit 1, and the message says what became of the stack.
TEST_F(EventsClear, RefusedModeOrFailedEmptyingSayWhatTheStackHolds) {
  struct Case {
    const char* name;
    emu::FaultPlan fault;
    const char* message;
    const char* commands;
    bool emptied;
  };
  const Case cases[] = {
      {"B E unanswered",
       {Fault::kNoAnswer, 0, 1, 'B'},
       "O controlador não entrou no modo de descarga: a pilha não foi apagada, os registros "
       "continuam no controlador!!",
       "BE DL DL DL BS ",
       false},
      {"B E spoilt",
       {Fault::kBadChecksum, 0, 1, 'B'},
       "O controlador não entrou no modo de descarga",
       "BE DL DL DL BS ",
       false},
      {"emptying not acknowledged",
       {Fault::kNotOk, 4, 1, 'D'},
       "Registros gravados, mas a pilha pode ou não ter sido apagada!!",
       "BE DL DL DL DL DG BS ",
       true},
      {"notice unanswered",
       {Fault::kNoAnswer, 0, 1, 'I'},
       "Registros gravados, mas a pilha pode ou não ter sido apagada!!",
       "BE DL DL DL DL DG I BS ",
       true},
      {"leaving unanswered",
       {Fault::kNoAnswer, 1, 1, 'B'},
       "Registros gravados e pilha apagada, mas o controlador não confirmou a saída do modo de "
       "descarga!!",
       "BE DL DL DL DL DG I BS ",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EmptyStack(emulator_);
    Push(emulator_, 2);
    const Bytes header = Header(emulator_);
    emulator_.ClearRequests();
    emulator_.SetFault(c.fault);
    const ProcessResult result = Clear({});
    emulator_.SetFault({});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.out.find("Total de registros lidos: 2"), std::string::npos)
        << "rows delivered";
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(Commands(), c.commands);
    EXPECT_EQ(Header(emulator_) != header, c.emptied);
  }
}

class StoppedCommand : public EventsClear {
 protected:
  // The frames of the record read ('D' 'L') the paced controller answered.
  int RecordReads() {
    int reads = 0;
    for (const auto& r : paced_.Requests()) reads += r.command == 'D' && r.data[0] == 'L';
    return reads;
  }

  emu::PtyEmulator paced_{PacedEmulator()};
};

// A stop in the middle of the record read: the read ends at its next frame,
// download mode is left, the port released, and the stack is as it was.
TEST_F(StoppedCommand, StopDuringTheReadLeavesTheStackAndDownloadMode) {
  for (const auto& [signal, status, name] :
       {std::tuple{SIGINT, 130, "SIGINT"}, std::tuple{SIGTERM, 143, "SIGTERM"}}) {
    SCOPED_TRACE(name);
    Push(paced_, 150);
    const Bytes header = Header(paced_);
    paced_.ClearRequests();
    RunOptions options;
    options.signals = {{400ms, signal}};
    const ProcessResult result = Clear(options, paced_.TerminalPath());
    EXPECT_EQ(result.exitCode, status) << result.err;
    EXPECT_NE(result.err.find(std::string("zm48d: events stopped by ") + name +
                              "; the events are still on the controller\n"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(result.out, "") << "no rows of an unfinished read";
    EXPECT_EQ(Header(paced_), header);
    EXPECT_FALSE(InDownloadMode(paced_));
    // The header and 94 frames of 16 bytes hold the 150 records: fewer were read.
    EXPECT_LT(RecordReads(), 1 + 94) << "the read went on after the stop";
    EXPECT_LT(result.elapsed, Loaded(750ms)) << "the stop did not end the command";
    // The port was released: the next command runs.
    EXPECT_EQ(Zm48d({"beep"}, paced_.TerminalPath()).exitCode, 0);
    EmptyStack(paced_);
  }
}

// A second Ctrl+C does not wait for the unwinding.
TEST_F(StoppedCommand, SecondInterruptEndsAtOnce) {
  Push(paced_, 150);
  RunOptions options;
  options.signals = {{300ms, SIGINT}, {310ms, SIGINT}};
  const ProcessResult result = Clear(options, paced_.TerminalPath());
  EXPECT_EQ(result.endedBySignal, SIGINT) << result.exitCode << ' ' << result.err;
}

// A stopped send writes no frame after the one under way and says what the
// controller may now hold.
TEST_F(StoppedCommand, StoppedSendSaysTheConfigurationMayBePartial) {
  TempDir dir;
  std::vector<std::string> tags = {"ZM48D-LISTA", "999"};
  for (int i = 0; i < 999; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "%06X*0F*001*", 0x100000 + i);
    tags.push_back(line);
  }
  const std::string tagFile = dir.Write("lista.txt", tags);
  const std::string holidays = dir.Write("feriados.txt", {"ZM48D-FERIADOS", "0"});
  const std::string groups = dir.Write("grupos.txt", {"ZM48D-GRUPOS", "0"});
  RunOptions options;
  options.signals = {{500ms, SIGINT}};
  const ProcessResult result = RunProgram(program_,
                                          {"--port", paced_.TerminalPath(), "send", "--holidays",
                                           holidays, "--groups", groups, "--tags", tagFile},
                                          options);
  EXPECT_EQ(result.exitCode, 130) << result.err;
  EXPECT_NE(
      result.err.find("zm48d: send stopped by SIGINT; the controller may hold part of the new "
                      "configuration: send it again\n"),
      std::string::npos)
      << result.err;
  const auto requests = paced_.Requests();
  EXPECT_LT(requests.size(), 20u) << "frames went on after the stop";
  for (const auto& request : requests) EXPECT_NE(request.command, 'I') << "notified after the stop";
}

}  // namespace
}  // namespace zm48d::testing
