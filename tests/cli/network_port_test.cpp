// zm48d over a real ser2net in front of the emulator, on rfc2217:// and
// socket://: every command gives what it gives on the device itself, 0xFF bytes
// cross intact both ways, and a server that goes away, refuses, or never
// answers ends the command within its bounds with the server and the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "emulator/console.h"
#include "emulator/pty_emulator.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/sample_files.h"
#include "tests/support/ser2net_server.h"
#include "tests/support/tcp_peers.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_bounds.h"

namespace zm48d::testing {
namespace {

using std::chrono::milliseconds;

enum class Scheme { kRfc2217, kSocket };

// The emulator behind ser2net, and a second one reached directly: each command
// runs on both, and both must answer alike.
class NetworkPort : public CliOnEmulator, public ::testing::WithParamInterface<Scheme> {
 protected:
  void SetUp() override {
    CliOnEmulator::SetUp();
    ASSERT_TRUE(server_.Failure().empty()) << server_.Failure();
  }

  std::string Url() const {
    return GetParam() == Scheme::kRfc2217 ? server_.Rfc2217Url() : server_.SocketUrl();
  }

  // zm48d --port URL words...; ser2net lets go of the device a moment after a
  // client leaves, and turns a new one away until then.
  ProcessResult OverNetwork(const Words& words) {
    std::this_thread::sleep_for(milliseconds(150));
    Words args{"--port", Url()};
    args.insert(args.end(), words.begin(), words.end());
    return RunProgram(program_, args);
  }
  ProcessResult Direct(const Words& words) { return Zm48d(words, direct_.TerminalPath()); }

  void Swipe(const std::string& read) {
    emu::RunConsoleCommand(emulator_, "swipe " + read);
    emu::RunConsoleCommand(direct_, "swipe " + read);
  }

  emu::PtyEmulator direct_;
  Ser2netServer server_{emulator_.TerminalPath()};
  TempDir dir_;
};

TEST_P(NetworkPort, EveryCommandAnswersAsOnTheDeviceItself) {
  const std::string holidays = dir_.Write("h.txt", SampleHolidays(12));
  const std::string groups = dir_.Write("g.txt", SampleGroups(9));
  // Tags FFxxxx: their 0xFF bytes are Telnet's IAC on the wire.
  const std::string tags = dir_.Write("t.txt", {"ZM48D-LISTA", "3", "FFFFFF*0F*001*Tudo FF",
                                                "FF00FF*01*002*Meio", "00A1B2*01*001*Ana"});
  const std::string db = dir_.Root().string() + "/events.db";
  const auto backupFiles = [this](const char* side) {
    const std::string d = dir_.Root().string() + "/" + side;
    std::filesystem::create_directories(d);
    return Words{"backup",     "--holidays", d + "/h.txt", "--groups",
                 d + "/g.txt", "--tags",     d + "/t.txt"};
  };
  struct Step {
    Words words;
    bool sameOutput = true;  // false: its first line names the time, which may tick between runs
  };
  const std::vector<Step> steps = {
      {{"beep"}},
      {{"relay", "2"}},
      {{"clock", "--set", "07/12/26 14:05:09"}},
      {{"clock"}, false},
      {{"clock", "--sync"}, false},
      {{"relay-times", "1500", "750", "250", "65535"}},
      {{"relay-times"}},
      {{"reader-timeouts", "2", "3", "63", "0"}},
      {{"reader-timeouts"}},
      {{"head"}},
      {{"eeprom", "write", "0x40", "FFFF7FFF00FF"}},
      {{"eeprom", "read", "0x40", "6"}},
      {{"settings", "write", "0x10", "FF01FF"}},
      {{"settings", "read", "0x00"}},
      {{"reset-memory"}},
      {{"defaults"}},
      {{"notify"}},
      {{"send", "--holidays", holidays, "--groups", groups, "--tags", tags, "--verify"}},
      {{"send-tags", tags}},
      {{"verify", "--holidays", holidays, "--groups", groups, "--tags", tags}},
      {{"head", "AB"}},
      {{"--head", "AB", "head", "AA"}},
  };
  for (const Step& step : steps) {
    const ProcessResult network = OverNetwork(step.words);
    const ProcessResult direct = Direct(step.words);
    SCOPED_TRACE(step.words[0] + " " + (step.words.size() > 1 ? step.words[1] : ""));
    EXPECT_EQ(network.exitCode, 0) << network.err;
    EXPECT_EQ(network.exitCode, direct.exitCode);
    const auto rest = [&step](const std::string& out) {
      return step.sameOutput ? out : out.substr(std::min(out.size(), out.find('\n') + 1));
    };
    EXPECT_EQ(rest(network.out), rest(direct.out));
    EXPECT_EQ(network.err, direct.err);
  }
  // The events: the same swipes on both controllers, read, harvested, emptied.
  for (const char* read :
       {"1 00A1B2 07/12/26 14:06:00", "2 FFFFFF 07/12/26 14:07:00", "3 123456 07/12/26 14:08:00"}) {
    Swipe(read);
  }
  const std::vector<Words> eventSteps = {
      {"last-tag"},
      {"oldest-tags", "3"},
      {"events", "--csv"},
      {"watch", "--count", "2", "--interval", "100"},
      {"harvest", "--db", db + ".net", "--controller", "portaria", "--keep"},
      {"events", "--clear"},
      {"events"},
  };
  for (const Words& words : eventSteps) {
    Words direct = words;
    if (words[0] == "harvest") direct[2] = db + ".direct";
    const ProcessResult network = OverNetwork(words);
    const ProcessResult reference = Direct(direct);
    SCOPED_TRACE(words[0]);
    EXPECT_EQ(network.exitCode, 0) << network.err;
    EXPECT_EQ(network.out, reference.out);
    EXPECT_EQ(network.err, reference.err);
  }
  // The backup reads everything back: the same files on both sides.
  const ProcessResult network = OverNetwork(backupFiles("net"));
  const ProcessResult direct = Direct(backupFiles("direct"));
  ASSERT_EQ(network.exitCode, 0) << network.err;
  ASSERT_EQ(direct.exitCode, 0) << direct.err;
  for (const char* file : {"/h.txt", "/g.txt", "/t.txt"}) {
    EXPECT_EQ(dir_.Read(std::string("net") + file), dir_.Read(std::string("direct") + file))
        << file;
  }
  const auto memory = [](emu::PtyEmulator& e) {
    return e.With([](emu::Controller& c) { return std::make_pair(c.eeprom, c.settings); });
  };
  EXPECT_TRUE(memory(emulator_) == memory(direct_)) << "the two controllers' memories differ";
}

TEST_P(NetworkPort, ASecondClientIsAPortInUseAndTheFirstIsUndisturbed) {
  const std::uint16_t port =
      GetParam() == Scheme::kRfc2217 ? server_.Rfc2217Port() : server_.SocketPort();
  TcpClient first(port);
  ASSERT_TRUE(first.Connected());
  const ProcessResult second = OverNetwork({"beep"});
  EXPECT_EQ(second.exitCode, 1);
  EXPECT_NE(second.err.find(Url() + ": "), std::string::npos) << second.err;
  EXPECT_NE(second.err.find("; the port is in use by another client"), std::string::npos)
      << second.err;
  EXPECT_EQ(emulator_.With([](emu::Controller& c) { return c.beeps; }), 0);
}

// ser2net killed half-way through a backup of a paced controller: the command
// fails within the line's bounds and the files it was to replace keep their text.
TEST_P(NetworkPort, AServerThatDiesDuringABackupFailsItAndKeepsTheOldFiles) {
  // A full configuration, sent at full speed, then copied into a paced controller.
  const ProcessResult sent = Direct({"send", "--holidays", dir_.Write("sh.txt", SampleHolidays(49)),
                                     "--groups", dir_.Write("sg.txt", SampleGroups(65)), "--tags",
                                     dir_.Write("st.txt", SampleTags(999))});
  ASSERT_EQ(sent.exitCode, 0) << sent.err;
  emu::EmulatorOptions paced;
  paced.pace = true;
  emu::PtyEmulator slow(paced);
  direct_.With([&slow](emu::Controller& full) {
    slow.With([&full](emu::Controller& c) {
      c.eeprom = full.eeprom;
      c.settings = full.settings;
    });
  });
  Ser2netServer server(slow.TerminalPath());
  ASSERT_TRUE(server.Failure().empty()) << server.Failure();
  const std::string url = GetParam() == Scheme::kRfc2217 ? server.Rfc2217Url() : server.SocketUrl();
  const Words files{"--holidays", dir_.Write("h.txt", {"antigo"}),
                    "--groups",   dir_.Write("g.txt", {"antigo"}),
                    "--tags",     dir_.Write("t.txt", {"antigo"})};
  Words args{"--port", url, "backup"};
  args.insert(args.end(), files.begin(), files.end());
  ProcessResult backup;
  std::thread run([&] { backup = RunProgram(program_, args); });
  std::this_thread::sleep_for(milliseconds(1500));
  const auto killed = std::chrono::steady_clock::now();
  server.Kill();
  run.join();
  const auto afterKill = std::chrono::steady_clock::now() - killed;
  EXPECT_EQ(backup.exitCode, 1) << backup.out << backup.err;
  // A server killed with a request still unread in its socket resets the
  // connection rather than closing it; either way the reason names the URL.
  const bool closed =
      backup.err.find(url + ": the server closed the connection") != std::string::npos;
  const bool reset = backup.err.find(url + ": Connection reset by peer") != std::string::npos;
  EXPECT_TRUE(closed || reset) << backup.err;
  EXPECT_LT(afterKill, Loaded(milliseconds(1400)))
      << "a frame's timeout at most, and the hang-up is at once";
  for (const char* file : {"h.txt", "g.txt", "t.txt"}) EXPECT_EQ(dir_.Read(file), "antigo\r\n");
  // A new ser2net on the same ports serves again. The answer cut off by the
  // kill waits in the device for the next client: an RFC 2217 server is told to
  // purge it on connecting; a raw one cannot be. There the first commands may
  // meet the rest of it, or the late answer to a command that met it, and fail
  // (each purging what came); once the controller has said all it had, a
  // command gets its own answer.
  ASSERT_TRUE(server.Start()) << server.Failure();
  std::this_thread::sleep_for(milliseconds(200));
  ProcessResult beep = RunProgram(program_, {"--port", url, "beep"});
  for (int tries = 1; GetParam() == Scheme::kSocket && beep.exitCode != 0 && tries < 5; ++tries) {
    std::this_thread::sleep_for(milliseconds(300));
    beep = RunProgram(program_, {"--port", url, "beep"});
  }
  EXPECT_EQ(beep.exitCode, 0) << beep.err;
}

INSTANTIATE_TEST_SUITE_P(Schemes, NetworkPort, ::testing::Values(Scheme::kRfc2217, Scheme::kSocket),
                         [](const auto& info) {
                           return info.param == Scheme::kRfc2217 ? "rfc2217" : "socket";
                         });

TEST(NetworkPortFailures, RefusedSilentAndMistypedPortsSayTheServerAndTheReason) {
  const std::string program = BuildExecutable("zm48d");
  SilentServer silent;
  const std::string refusing = "socket://127.0.0.1:" + std::to_string(RefusingPort());
  struct Case {
    std::string url;
    int exitCode;
    std::string err;
    milliseconds atMost;
  };
  const Case cases[] = {
      // At once: well before the 3 s a silent server is given.
      {refusing, 1, "Erro ao abrir a porta serial!!\n" + refusing + ": Connection refused\n",
       Loaded(milliseconds(500))},
      {silent.Url("rfc2217"), 1,
       "Erro ao abrir a porta serial!!\n" + silent.Url("rfc2217") + ": sem resposta em 3 s\n",
       Loaded(std::chrono::seconds(3))},
      {"socket://127.0.0.1", 2, "zm48d: --port socket://127.0.0.1: no port number\n",
       Loaded(milliseconds(500))},
  };
  for (const Case& c : cases) {
    const ProcessResult beep = RunProgram(program, {"--port", c.url, "beep"});
    EXPECT_EQ(beep.exitCode, c.exitCode) << c.url;
    EXPECT_EQ(beep.err.substr(0, c.err.size()), c.err) << c.url;
    EXPECT_LT(beep.elapsed, c.atMost) << c.url;
  }
}

}  // namespace
}  // namespace zm48d::testing
