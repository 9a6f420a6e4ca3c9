// `zm48d harvest` and `zm48d history` over a pseudo-terminal against the
// emulator, into a real store: every event stored exactly once, and the stack
// emptied only after the commit.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/store_urls.h"
#include "tests/support/emulated_line.h"
#include "tests/support/emulator_memory.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using emu::Fault;

// Runs every case on both engines: a SQLite file and a PostgreSQL database.
class Harvest : public CliOnEmulator, public ::testing::WithParamInterface<StoreEngine> {
 protected:
  void SetUp() override {
    CliOnEmulator::SetUp();
    db_ = FreshStoreUrl(GetParam(), dir_);
    ASSERT_FALSE(db_.empty());
  }
  // `count` events with tags first, first + 1, ...; flags alternate granted and refused.
  void Push(emu::PtyEmulator& emulator, std::uint32_t first, int count) {
    emulator.With([&](emu::Controller& c) {
      for (int i = 0; i < count; ++i) {
        const std::uint32_t tag = first + static_cast<std::uint32_t>(i);
        const std::uint8_t flags = i % 2 == 0 ? 0x10 : 0x41;  // door 1 granted, door 2 refused (1)
        ASSERT_TRUE(c.PushEvent(SampleEvent(tag, flags)));
      }
    });
  }
  static Bytes Header(emu::PtyEmulator& emulator) { return StackHeaderOf(emulator); }
  static bool Empty(emu::PtyEmulator& emulator) {
    const Bytes h = Header(emulator);
    return h[8] == h[10] && h[9] == h[11];
  }
  ProcessResult HarvestOn(const std::string& device, Words extra = {}, RunOptions options = {}) {
    Words args = {"--port", device, "harvest", "--db", db_, "--controller", "portaria"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(program_, args, options);
  }
  ProcessResult History(Words extra = {}) {
    Words args = {"history", "--db", db_};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(program_, args);
  }
  // The tags the store holds, each as often as it is stored.
  std::multiset<std::string> StoredTags() {
    const ProcessResult result = History({"--csv"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::multiset<std::string> tags;
    std::size_t at = result.out.find('\n') + 1;  // after the header row
    while (at < result.out.size()) {
      tags.insert(result.out.substr(at, 6));
      at = result.out.find('\n', at) + 1;
      if (at == 0) break;
    }
    return tags;
  }

  TempDir dir_;
  std::string db_;
};

TEST_P(Harvest, StoresEveryRecordThenEmptiesTheStack) {
  Push(emulator_, 0x100000, 3);
  const ProcessResult result = HarvestOn(emulator_.TerminalPath());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "3 registros armazenados (portaria)\n");
  EXPECT_TRUE(Empty(emulator_));
  EXPECT_EQ(Commands(), "BE DL DL DL DL DG I BS ");

  const ProcessResult history = History();
  EXPECT_EQ(history.exitCode, 0) << history.err;
  EXPECT_NE(
      history.out.find("TAG     Data      Hora      Acesso  Porta    Feriado  Motivo               "
                       "Controlador  Coletado em"),
      std::string::npos)
      << history.out;
  EXPECT_NE(
      history.out.find("100001  07/12/26  14:05:33  Não     Porta 2  Não      tag não cadastrado!  "
                       "portaria"),
      std::string::npos)
      << history.out;
  EXPECT_NE(history.out.find("Total de registros lidos: 3\n"), std::string::npos);

  // The stack is empty now: nothing more is stored, and nothing twice.
  EXPECT_EQ(HarvestOn(emulator_.TerminalPath()).out, "0 registros armazenados (portaria)\n");
  EXPECT_EQ(StoredTags(), (std::multiset<std::string>{"100000", "100001", "100002"}));
}

TEST_P(Harvest, KeepLeavesTheStackAndStoresNothingTwice) {
  Push(emulator_, 0x200000, 2);
  const Bytes header = Header(emulator_);
  EXPECT_EQ(HarvestOn(emulator_.TerminalPath(), {"--keep"}).out,
            "2 registros armazenados (portaria)\n");
  Push(emulator_, 0x200002, 1);
  EXPECT_EQ(HarvestOn(emulator_.TerminalPath(), {"--keep"}).out,
            "1 registros armazenados (portaria)\n");
  EXPECT_EQ(Commands(), "BE DL DL DL BS BE DL DL DL BS ") << "no emptying and no notice";
  EXPECT_FALSE(Empty(emulator_));
  EXPECT_EQ(Header(emulator_)[8], header[8]);
  EXPECT_EQ(StoredTags(), (std::multiset<std::string>{"200000", "200001", "200002"}));
}

// A store that cannot take the records empties nothing.
TEST_P(Harvest, StoreThatFailsEmptiesNothing) {
  Push(emulator_, 0x300000, 2);
  const Bytes header = Header(emulator_);
  db_ = GetParam() == StoreEngine::kSqlite ? "/proc/version/events.db" : UnreachablePostgresUrl();
  const ProcessResult result = HarvestOn(emulator_.TerminalPath());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("event store"), std::string::npos) << result.err;
  EXPECT_EQ(Header(emulator_), header);
  EXPECT_TRUE(emulator_.Requests().empty()) << "the port was opened for a store that failed";
}

// Stored, but the stack not emptied for certain: exit 1 with what became of
// it, and the next harvest stores only what is new, whether the controller
// emptied its stack (an acknowledgement lost) or not (download mode refused).
TEST_P(Harvest, StoredButNotSurelyEmptiedIsNotStoredTwice) {
  struct Case {
    const char* name;
    emu::FaultPlan fault;
    const char* message;
    bool emptied;
  };
  const Case cases[] = {
      {"download mode refused",
       {Fault::kNoAnswer, 0, 1, 'B'},
       "Registros armazenados; o controlador não entrou no modo de descarga e a pilha não foi "
       "apagada. A próxima coleta não os armazenará de novo.",
       false},
      {"emptying not acknowledged",
       {Fault::kNotOk, 4, 1, 'D'},
       "Registros armazenados, mas a pilha pode ou não ter sido apagada. A próxima coleta não os "
       "armazenará de novo.",
       true},
  };
  std::uint32_t next = 0x400000;
  std::multiset<std::string> expected;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Push(emulator_, next, 2);
    emulator_.SetFault(c.fault);
    const ProcessResult failed = HarvestOn(emulator_.TerminalPath());
    emulator_.SetFault({});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.err.find(c.message), std::string::npos) << failed.err;
    EXPECT_EQ(Empty(emulator_), c.emptied);
    Push(emulator_, next + 2, 1);
    const ProcessResult again = HarvestOn(emulator_.TerminalPath());
    EXPECT_EQ(again.out, "1 registros armazenados (portaria)\n") << again.err;
    EXPECT_TRUE(Empty(emulator_));
    for (std::uint32_t tag = next; tag < next + 3; ++tag) {
      char text[8];
      std::snprintf(text, sizeof text, "%06X", tag);
      expected.insert(text);
    }
    next += 0x10;
  }
  EXPECT_EQ(StoredTags(), expected);
}

TEST_P(Harvest, HistoryFiltersAndSums) {
  Push(emulator_, 0x500000,
       4);  // 500000 and 500002 granted at door 1, the others refused at door 2
  ASSERT_EQ(HarvestOn(emulator_.TerminalPath()).exitCode, 0);
  struct Case {
    Words words;
    std::multiset<std::string> tags;
  };
  const Case cases[] = {
      {{"--tag", "500001"}, {"500001"}},
      {{"--refused"}, {"500001", "500003"}},
      {{"--door", "1"}, {"500000", "500002"}},
      {{"--from", "07/12/26", "--to", "07/12/26"}, {"500000", "500001", "500002", "500003"}},
      {{"--from", "08/12/26"}, {}},
      {{"--controller", "outro"}, {}},
  };
  for (const Case& c : cases) {
    Words words = c.words;
    words.push_back("--csv");
    const ProcessResult result = History(words);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::multiset<std::string> tags;
    for (std::size_t at = result.out.find('\n') + 1; at < result.out.size();
         at = result.out.find('\n', at) + 1) {
      tags.insert(result.out.substr(at, 6));
    }
    EXPECT_EQ(tags, c.tags) << c.words[0];
  }
  const ProcessResult summary = History({"--summary"});
  EXPECT_EQ(summary.out,
            "Data        Porta  Liberados  Negados\n"
            "2026-12-07  1      2          0\n"
            "2026-12-07  2      0          2\n");
  EXPECT_EQ(History({"--from", "32/12/26"}).exitCode, 2);
}

// Killed at any moment of a harvest, then harvested again: every event is
// stored exactly once and the stack ends empty.
TEST_P(Harvest, KilledAtAnyMomentThenHarvestedAgainStoresEachEventOnce) {
  emu::PtyEmulator paced{PacedEmulator()};
  std::multiset<std::string> expected;
  std::uint32_t next = 0x600000;
  // Six rounds of 25 fit the stack even when no harvest between them empties it.
  for (const int killAtMs : {30, 150, 300, 450, 600, 900}) {
    Push(paced, next, 25);
    for (int i = 0; i < 25; ++i) {
      char tag[8];
      std::snprintf(tag, sizeof tag, "%06X", next + static_cast<std::uint32_t>(i));
      expected.insert(tag);
    }
    next += 25;
    RunOptions options;
    options.signals = {{std::chrono::milliseconds(killAtMs), SIGKILL}};
    HarvestOn(paced.TerminalPath(), {}, options);
    // The paced controller still sends the answer that the killed terminal
    // asked for; a terminal that starts before it ends would take its bytes for
    // an answer of its own (and fail, safely).
    std::this_thread::sleep_for(300ms);
    paced.With([](emu::Controller& c) { c.LeaveDownloadMode(); });
  }
  const ProcessResult last = HarvestOn(paced.TerminalPath());
  EXPECT_EQ(last.exitCode, 0) << last.err;
  EXPECT_TRUE(Empty(paced));
  EXPECT_EQ(StoredTags(), expected);
}

INSTANTIATE_TEST_SUITE_P(Engines, Harvest,
                         ::testing::Values(StoreEngine::kSqlite, StoreEngine::kPostgresql),
                         [](const auto& info) { return std::string(EngineName(info.param)); });

}  // namespace
}  // namespace zm48d::testing
