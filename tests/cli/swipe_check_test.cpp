// The README's walk-through end to end: the sample files sent with the real
// zm48d to an emulator, tags swiped on its console, the decisions listed by
// `zm48d events`, and `zm48d check` giving the same rows without a controller.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "emulator/console.h"
#include "files/line_file.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using namespace std::chrono_literals;

const std::string kRows =
    "TAG     Data      Hora      Acesso  Porta    Feriado  Motivo\n"
    "00A1B2  07/12/26  09:30:00  Sim     Porta 1  Não      ok!\n"
    "00A1B2  07/12/26  09:31:00  Não     Porta 2  Não      porta não habilitada!\n"
    "00BEEF  07/12/26  09:32:00  Não     Porta 1  Não      fora do horário!\n"
    "Total de registros lidos: 3\n";

Words FileOptions() {
  return {"--holidays", ExampleFile("feriados.txt"), "--groups", ExampleFile("grupos.txt"),
          "--tags",     ExampleFile("lista.txt")};
}

Words SendWords() {
  Words words = FileOptions();
  words.insert(words.begin(), "send");
  return words;
}

// zm48d check with the sample files and `more` words after them; no port.
ProcessResult Check(const Words& more) {
  Words words = FileOptions();
  words.insert(words.begin(), "check");
  words.insert(words.end(), more.begin(), more.end());
  return RunProgram(BuildExecutable("zm48d"), words);
}

// The sample reads, one "DOOR TAG DD/MM/YY HH:MM:SS" a line.
std::vector<std::string> SampleReads() { return LoadLines(ExampleFile("leituras.txt")).lines(); }

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
       start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

class SwipeAndCheck : public CliOnEmulator {};

TEST_F(SwipeAndCheck, SwipedDecisionsAreListedByEventsAndCheckGivesTheSameRows) {
  const ProcessResult sent = Zm48d(SendWords());
  ASSERT_EQ(sent.exitCode, 0) << sent.err;
  std::vector<std::string> answers;
  for (const std::string& read : SampleReads()) {
    answers.push_back(emu::RunConsoleCommand(emulator_, "swipe " + read));
  }
  EXPECT_EQ(answers[0], LinesOf(kRows)[1] + "\nrelay 1 pulsed for 1000 ms");
  EXPECT_EQ(answers[1], LinesOf(kRows)[2]);
  EXPECT_EQ(answers[2], LinesOf(kRows)[3]);

  const ProcessResult events = Zm48d({"events"});
  EXPECT_EQ(events.exitCode, 0) << events.err;
  EXPECT_EQ(events.out, kRows);
  const ProcessResult checked = Check({"--swipes", ExampleFile("leituras.txt")});
  EXPECT_EQ(checked.exitCode, 3) << "one read or more refused";
  EXPECT_EQ(checked.out, events.out);
  EXPECT_EQ(checked.err, "");

  const ProcessResult csv = Zm48d({"events", "--csv"});
  const ProcessResult checkedCsv = Check({"--csv", "--swipes", ExampleFile("leituras.txt")});
  EXPECT_EQ(checkedCsv.out, csv.out);
  EXPECT_EQ(LinesOf(csv.out).size(), 4u);
}

// A read on the command line, after those of the file; all granted exits 0.
TEST(CheckCommand, ExitStatusTellsGrantedRefusedUnusableAndBadUsage) {
  TempDir dir;
  const std::string granted = dir.Write("ok.txt", {"1 00A1B2 07/12/26 09:30:00"});
  struct Case {
    Words words;
    int exitCode;
    std::string out, err;  // the start of each stream
  };
  const Case cases[] = {
      {{"--swipes", granted}, 0, LinesOf(kRows)[0] + "\n" + LinesOf(kRows)[1], ""},
      {{"--swipes", granted, "1", "00C0DE", "25/12/26 03:00:00"},
       0,
       LinesOf(kRows)[0] + "\n" + LinesOf(kRows)[1] +
           "\n00C0DE  25/12/26  03:00:00  Sim     Porta 1  Sim      ok!\nTotal de registros lidos: "
           "2\n",
       ""},
      {{"--csv", "1", "00c0de", "25/12/26", "03:00:00"},
       0,
       "TAG,Data,Hora,Acesso,Porta,Feriado,Motivo\n00C0DE,25/12/26,03:00:00,Sim,Porta 1,Sim,ok!\n",
       ""},
      {{"1", "00F00D", "07/12/26 09:30:00"},
       3,
       LinesOf(kRows)[0] +
           "\n00F00D  07/12/26  09:30:00  Não     Porta 1  Não      fora do horário!\n",
       ""},
      {{"--swipes",
        dir.Write("bad.txt", {"1 00A1B2 07/12/26 09:30:00", "9 00A1B2 07/12/26 09:30:00"})},
       1,
       "",
       dir.Path("bad.txt") + " line 2: DOOR must be 1 to 4, not '9'\n"},
      {{"--swipes", dir.Path("none.txt")}, 1, "", "Cannot open file"},
      {{"5", "00A1B2", "07/12/26 09:30:00"}, 2, "", "zm48d: check: DOOR must be 1 to 4, not '5'\n"},
      {{"1", "00A1B2", "07/12/26 09:70:00"},
       2,
       "",
       "zm48d: check: the time must be a real date and time DD/MM/YY HH:MM:SS, not '07/12/26 "
       "09:70:00'"},
      {{"1", "00A1B2"}, 2, "", "zm48d: check: a read is DOOR TAG DD/MM/YY HH:MM:SS"},
      {{}, 2, "", "zm48d: check needs reads"},
      {{"--port", "x", "--swipes", granted}, 2, "", "zm48d: check: unknown option '--port'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.words));
    const ProcessResult result = Check(c.words);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(result.out.substr(0, c.out.size()), c.out);
    EXPECT_EQ(result.err.substr(0, c.err.size()), c.err);
  }
  // Files a send would refuse.
  const ProcessResult swapped =
      RunProgram(BuildExecutable("zm48d"), {"check", "--holidays", ExampleFile("grupos.txt"),
                                            "--groups", ExampleFile("grupos.txt"), "--tags",
                                            ExampleFile("lista.txt"), "--swipes", granted});
  EXPECT_EQ(swapped.exitCode, 1);
  EXPECT_EQ(swapped.err,
            ExampleFile("grupos.txt") +
                ": not a holidays file (its first line is not ZM48D-FERIADOS, or it has no "
                "count line)\n");
  EXPECT_EQ(swapped.out, "");
  const ProcessResult missing =
      RunProgram(BuildExecutable("zm48d"),
                 {"check", "--holidays", "h", "--groups", "g", "1", "00A1B2", "07/12/26 09:30:00"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("check needs --holidays FILE, --groups FILE and --tags FILE"),
            std::string::npos);
}

// The emulator executable: swipes written to its --control pipe are answered on
// its output and saved to its --state file at once, as it saves after a write.
TEST(SwipeOnEmulatorExecutable, ControlPipeSwipesAreAnsweredAndKeptInTheState) {
  TempDir dir;
  const std::string state = dir.Path("controller.bin");
  const std::string control = dir.Path("control");
  ChildProcess emulator(BuildExecutable("zm48d-emulator"),
                        {"--state", state, "--control", control});
  const std::string terminal = emulator.ReadLine(5s);
  ASSERT_FALSE(terminal.empty());
  Words send = SendWords();
  send.insert(send.begin(), {"--port", terminal});
  const ProcessResult sent = RunProgram(BuildExecutable("zm48d"), send);
  ASSERT_EQ(sent.exitCode, 0) << sent.err;

  const int pipe = ::open(control.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(pipe, 0);
  const std::string lines = "swipe 2 00A1B2 07/12/26 09:31:00\nswipe 9 00A1B2\n";
  ASSERT_EQ(::write(pipe, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
  ::close(pipe);
  EXPECT_EQ(emulator.ReadLine(5s), LinesOf(kRows)[2]);
  EXPECT_EQ(emulator.ReadLine(5s), "swipe: DOOR must be 1 to 4, not '9'");

  // Two holidays and three groups put the stack at 0x007B: one record there.
  std::ifstream in(state, std::ios::binary);
  const std::string saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(saved.size(), 2u * 65536);
  EXPECT_EQ(saved.substr(8, 4), std::string("\x00\x7B\x00\x85", 4));
  EXPECT_EQ(saved.substr(0x7B, 10), std::string("\x00\xA1\xB2\x07\x12\x26\x09\x31\x00\xC1", 10));

  const ProcessResult events = RunProgram(BuildExecutable("zm48d"), {"--port", terminal, "events"});
  EXPECT_EQ(LinesOf(events.out).size(), 3u) << events.out;
}

}  // namespace
}  // namespace zm48d::testing
