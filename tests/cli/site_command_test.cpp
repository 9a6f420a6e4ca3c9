// `zm48d site` end to end: four controllers of one building, two on devices of
// their own, one that never answers and one behind a network device server.
// The silent one fails alone; the others do their work as if it were not there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "emulator/console.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/sample_files.h"
#include "tests/support/ser2net_server.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

struct Member {
  std::string name;
  bool good;
};

// Site order: the silent one sits between the others, so that its failure
// cannot be mistaken for the last thread's.
const std::vector<Member> kMembers = {
    {"portaria", true}, {"garagem", true}, {"deposito", false}, {"recepcao", true}};

class SiteCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = BuildExecutable("zm48d");
    ASSERT_FALSE(program_.empty());
    for (std::size_t i = 0; i < kMembers.size(); ++i) {
      emulators_.push_back(std::make_unique<emu::PtyEmulator>());
    }
    emulators_[2]->SetFault({emu::Fault::kNoAnswer});
    server_ = std::make_unique<Ser2netServer>(emulators_[3]->TerminalPath());
    ASSERT_EQ(server_->Failure(), "");
    ports_ = {emulators_[0]->TerminalPath(), emulators_[1]->TerminalPath(),
              emulators_[2]->TerminalPath(), server_->Rfc2217Url()};
    holidays_ = dir_.Write("feriados.txt", SampleHolidays(5));
    groups_ = dir_.Write("grupos.txt", SampleGroups(4));
    tags_ = dir_.Write("lista.txt", SampleTags(12));
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < kMembers.size(); ++i) {
      lines.insert(lines.end(), {"[[controller]]", "name = \"" + kMembers[i].name + "\"",
                                 "port = \"" + ports_[i] + "\"", "holidays = \"feriados.txt\"",
                                 "groups = \"grupos.txt\"", "tags = \"lista.txt\""});
    }
    site_ = dir_.Write("predio.toml", lines);
  }

  ProcessResult Site(const Words& words) {
    Words args = {"site", site_};
    args.insert(args.end(), words.begin(), words.end());
    return RunProgram(program_, args);
  }

  // One "NAME: summary" line each (in the order they ended), then the table in
  // the site's order; the silent controller alone failed, and alone on stderr.
  void ExpectOnlyTheSilentOneFailed(const ProcessResult& result, const std::string& goodSummary) {
    EXPECT_EQ(result.exitCode, 1) << result.out << result.err;
    const std::size_t table = result.out.find("\nControlador  Porta");
    ASSERT_NE(table, std::string::npos) << result.out;
    const std::string lines = result.out.substr(0, table);
    const std::string rows = result.out.substr(table);
    std::size_t lastRow = 0;
    for (std::size_t i = 0; i < kMembers.size(); ++i) {
      const Member& m = kMembers[i];
      SCOPED_TRACE(m.name);
      // A failure's summary is the first of its reasons on stderr.
      const std::string failed = "zm48d: " + m.name + ": ";
      const std::size_t reason = result.err.find(failed);
      if (m.good) {
        EXPECT_EQ(reason, std::string::npos) << result.err;
      } else {
        ASSERT_NE(reason, std::string::npos) << result.err;
      }
      const std::string summary =
          m.good ? goodSummary
                 : result.err.substr(reason + failed.size(),
                                     result.err.find('\n', reason) - reason - failed.size());
      EXPECT_NE(lines.find(m.name + ": " + summary), std::string::npos) << lines;
      const std::size_t row = rows.find("\n" + m.name + " ");
      ASSERT_NE(row, std::string::npos) << rows;
      EXPECT_GT(row, lastRow) << "the table keeps the site's order";
      lastRow = row;
      const std::string rowText = rows.substr(row + 1, rows.find('\n', row + 1) - row - 1);
      EXPECT_NE(rowText.find(ports_[i]), std::string::npos) << rowText;
      EXPECT_NE(rowText.find((m.good ? "  ok: " : "  FALHOU: ") + summary), std::string::npos)
          << rowText;
    }
    const auto lineCount = std::count(lines.begin(), lines.end(), '\n');
    EXPECT_EQ(static_cast<std::size_t>(lineCount), kMembers.size()) << lines;
  }

  std::string program_;
  TempDir dir_;
  std::vector<std::unique_ptr<emu::PtyEmulator>> emulators_;
  std::unique_ptr<Ser2netServer> server_;
  std::vector<std::string> ports_;
  std::string holidays_, groups_, tags_, site_;
};

TEST_F(SiteCommand, StatusOfEveryControllerAtOnce) {
  const ProcessResult result = Site({"status"});
  ExpectOnlyTheSilentOneFailed(result, "beep ok; ");
  for (const Member& m : kMembers) {
    if (!m.good) continue;
    const std::size_t at = result.out.find(m.name + ": beep ok; ");
    const std::string line = result.out.substr(at, result.out.find('\n', at) - at);
    EXPECT_NE(line.find("; head 80; 0 tags"), std::string::npos) << line;
  }
}

TEST_F(SiteCommand, SendWithVerifyLeavesTheFilesInEveryGoodMemory) {
  ExpectOnlyTheSilentOneFailed(Site({"send", "--verify"}), "enviado e verificado");
  for (std::size_t i = 0; i < kMembers.size(); ++i) {
    SCOPED_TRACE(kMembers[i].name);
    // The single-controller verify, on its own, agrees with the site's.
    const ProcessResult verify =
        RunProgram(program_, {"--port", ports_[i], "verify", "--holidays", holidays_, "--groups",
                              groups_, "--tags", tags_});
    EXPECT_EQ(verify.exitCode, kMembers[i].good ? 0 : 1) << verify.out << verify.err;
  }
  // And the site's own verify finds every good memory equal to the files.
  ExpectOnlyTheSilentOneFailed(Site({"verify"}), "igual aos arquivos");
}

TEST_F(SiteCommand, BackupWritesAFolderForEachGoodController) {
  ASSERT_EQ(Site({"send"}).exitCode, 1);
  const std::string into = dir_.Path("copias");
  ExpectOnlyTheSilentOneFailed(Site({"backup", into}), "cópia salva em ");
  for (const Member& m : kMembers) {
    SCOPED_TRACE(m.name);
    // The silent controller leaves no empty folder that would pass for a backup.
    EXPECT_EQ(std::filesystem::exists(std::filesystem::path(into) / m.name), m.good);
    for (const char* file : {"feriados.txt", "grupos.txt", "lista.txt"}) {
      const std::filesystem::path path = std::filesystem::path(into) / m.name / file;
      EXPECT_EQ(std::filesystem::exists(path), m.good) << path;
    }
  }
  // What was read back is what was sent.
  const std::string copy = into + "/recepcao/";
  const ProcessResult verify =
      RunProgram(program_, {"--port", ports_[3], "verify", "--holidays", copy + "feriados.txt",
                            "--groups", copy + "grupos.txt", "--tags", copy + "lista.txt"});
  EXPECT_EQ(verify.exitCode, 0) << verify.out << verify.err;
}

TEST_F(SiteCommand, HarvestStoresEachControllersEventsUnderItsName) {
  // A different tag at each good controller, two swipes each.
  const std::vector<std::string> tags = {"A10001", "A10002", "", "A10003"};
  for (std::size_t i = 0; i < kMembers.size(); ++i) {
    if (!kMembers[i].good) continue;
    for (const char* door : {"1", "2"}) {
      const std::string reply = emu::RunConsoleCommand(
          *emulators_[i], std::string("swipe ") + door + " " + tags[i] + " 07/12/26 14:05:33");
      ASSERT_EQ(reply.find("swipe:"), std::string::npos) << reply;
    }
  }
  const std::string db = dir_.Path("eventos.db");
  ExpectOnlyTheSilentOneFailed(Site({"harvest", "--db", db}), "2 registros armazenados");
  for (std::size_t i = 0; i < kMembers.size(); ++i) {
    if (!kMembers[i].good) continue;
    SCOPED_TRACE(kMembers[i].name);
    const ProcessResult history =
        RunProgram(program_, {"history", "--db", db, "--controller", kMembers[i].name, "--csv"});
    ASSERT_EQ(history.exitCode, 0) << history.err;
    // The header row and this controller's two events, and no one else's.
    EXPECT_EQ(std::count(history.out.begin(), history.out.end(), '\n'), 3) << history.out;
    std::size_t found = 0;
    for (std::size_t at = history.out.find(tags[i]); at != std::string::npos;
         at = history.out.find(tags[i], at + 1)) {
      ++found;
    }
    EXPECT_EQ(found, 2u) << history.out;
  }
}

TEST_F(SiteCommand, ClockSyncSetsEveryGoodClock) {
  for (const auto& e : emulators_) {
    e->With([](emu::Controller& c) { c.clock.year = 1; });
  }
  ExpectOnlyTheSilentOneFailed(Site({"clock", "--sync"}), "relógio acertado: ");
  // The silent controller may take the clock it never acknowledged: only the good ones count.
  for (std::size_t i = 0; i < kMembers.size(); ++i) {
    if (!kMembers[i].good) continue;
    const int year = emulators_[i]->With([](emu::Controller& c) { return c.clock.year; });
    EXPECT_NE(year, 1) << kMembers[i].name;
  }
}

TEST_F(SiteCommand, UnknownCommandIsAUsageError) {
  const ProcessResult result = Site({"frobnicate"});
  EXPECT_EQ(result.exitCode, 2) << result.err;
  EXPECT_NE(result.err.find("frobnicate"), std::string::npos) << result.err;
  for (const auto& e : emulators_) EXPECT_TRUE(e->Requests().empty()) << "nothing was sent";
}

}  // namespace
}  // namespace zm48d::testing
