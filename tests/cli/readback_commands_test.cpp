// backup, verify and send --verify through the real zm48d executable: a backup
// that sends back to the same bytes, differences made behind the terminal's
// back, and reads that fail part-way.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What a send writes and a backup must give back: header bytes 0..7 and the
// two tables behind them, the tag list's address and count, and its pages.
struct RulesAndTags {
  Bytes rules, tagInfo, tagPages;
  bool operator==(const RulesAndTags&) const = default;
};

RulesAndTags Memory(emu::PtyEmulator& emulator) {
  return emulator.With([](emu::Controller& c) {
    const int stackStart = c.eeprom[8] << 8 | c.eeprom[9];
    const int start = c.settings[0x8000 + 10] << 8 | c.settings[0x8000 + 11];
    const int count = c.settings[0x8000 + 12] << 8 | c.settings[0x8000 + 13];
    const int pages = (5 * count + count / 3 + 127) / 128;
    RulesAndTags memory;
    memory.rules.assign(c.eeprom.begin(), c.eeprom.begin() + 8);
    memory.rules.insert(memory.rules.end(), c.eeprom.begin() + 0x20, c.eeprom.begin() + stackStart);
    memory.tagInfo.assign(c.settings.begin() + 0x8000 + 10, c.settings.begin() + 0x8000 + 14);
    memory.tagPages.assign(c.settings.begin() + start, c.settings.begin() + start + 128 * pages);
    return memory;
  });
}

class ReadbackCommands : public CliOnEmulator {
 protected:
  struct Files {
    std::string holidays, groups, tags;
  };
  Files Write(const std::string& prefix, const Lines& h, const Lines& g, const Lines& t) {
    return {dir_.Write(prefix + "h.txt", h), dir_.Write(prefix + "g.txt", g),
            dir_.Write(prefix + "t.txt", t)};
  }
  Files Samples(int h, int g, int t) {
    return Write("", SampleHolidays(h), SampleGroups(g), SampleTags(t));
  }
  Files BackupNames() { return {dir_.Path("bh.txt"), dir_.Path("bg.txt"), dir_.Path("bt.txt")}; }
  Words With(const std::string& command, const Files& files) {
    return {command, "--holidays", files.holidays, "--groups", files.groups, "--tags", files.tags};
  }
  std::vector<std::string> FolderEntries() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path(""))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir_;
};

// Rows numbered with gaps, descriptions holding "*", and fields the editors
// would not write: lower-case digits, a date typed short, a line cut off.
Lines GappedGroups() {
  Lines lines = SampleGroups(3);
  lines[3].replace(0, 2, "02");
  lines[4].replace(0, 2, "05");
  return lines;
}

TEST_F(ReadbackCommands, BackupSentToASecondControllerGivesTheSameMemory) {
  struct Case {
    const char* what;
    Lines holidays, groups, tags;
  };
  const Case cases[] = {
      {"empty", SampleHolidays(0), SampleGroups(0), SampleTags(0)},
      {"full", SampleHolidays(49), SampleGroups(65), SampleTags(999)},
      {"gaps",
       {"ZM48D-FERIADOS", "2", "25/12*Natal * fim", "01/01*"},
       GappedGroups(),
       {"ZM48D-LISTA", "4", "00A1B2*05*001*Portaria*1", "FFFFFF*0F*300*", "00a1b2*0f*7",
        "000001*08*000*"}},
      {"odd fields",
       {"ZM48D-FERIADOS", "1", "1/5*Natal"},
       {"ZM48D-GRUPOS", "2", "01*08:00*18:00", "02*5A:FF*23:59*x*Sim"},
       {"ZM48D-LISTA", "1", "00A1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Files originals = Write(c.what, c.holidays, c.groups, c.tags);
    ProcessResult result = Zm48d(With("send", originals));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const RulesAndTags sent = Memory(emulator_);
    const int notices = Notifications();
    result = Zm48d(With("backup", BackupNames()));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Cópia do controlador salva com sucesso!\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(Memory(emulator_), sent);
    EXPECT_EQ(Notifications(), notices) << "a backup sends no notice";

    emu::PtyEmulator second;
    result = Zm48d(With("send", BackupNames()), second.TerminalPath());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Memory(second), Memory(emulator_));

    result = Zm48d(With("verify", originals), second.TerminalPath());
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "Controlador confere com os arquivos!\n");
  }
  // The gapped groups come back numbered by their places.
  Zm48d(With("send", Write("gaps", SampleHolidays(0), GappedGroups(), SampleTags(0))));
  Zm48d(With("backup", BackupNames()));
  const std::string groups = dir_.Read("bg.txt");
  EXPECT_NE(groups.find("\r\n01*"), std::string::npos);
  EXPECT_NE(groups.find("\r\n03*08:00*18:00*"), std::string::npos);
  EXPECT_EQ(groups.find("\r\n05*"), std::string::npos);
}

// A backup over the files of an earlier one keeps the descriptions typed into
// them, by tag number and by day and month; a file it cannot take them from is
// replaced all the same, with a note.
TEST_F(ReadbackCommands, BackupKeepsTheDescriptionsOfTheFilesItReplaces) {
  ASSERT_EQ(Zm48d(With("send", Samples(3, 2, 5))).exitCode, 0);
  const Files backup = BackupNames();
  const std::string plainTags =
      "ZM48D-LISTA\r\n5\r\nA10000*05*000*\r\nA10001*05*001*\r\nA10002*05*002*\r\n"
      "A10003*05*003*\r\nA10004*05*004*\r\n";
  const std::string notKept = "backup: " + backup.tags + ": descriptions not kept (";
  struct Case {
    const char* what;
    Lines earlierTags;
    std::string tags, err;
  };
  const Case cases[] = {
      {"described",
       {"ZM48D-LISTA", "3", "A10001*05*001*Porta * 1", "A10003*0F*006*Sala", "FFFFFF*05*000*Antiga",
        "A10004*05*004*Fora da contagem"},
       "ZM48D-LISTA\r\n5\r\nA10000*05*000*\r\nA10001*05*001*Porta * 1\r\nA10002*05*002*\r\n"
       "A10003*05*003*Sala\r\nA10004*05*004*\r\n",
       ""},
      {"another kind", {"ZM48D-GRUPOS", "0"}, plainTags, notKept + "not a file of its kind)\n"},
      {"count no number",
       {"ZM48D-LISTA", "x", "A10001*05*001*Porta"},
       plainTags,
       notKept + "not a file of its kind)\n"},
      {"lines missing",
       {"ZM48D-LISTA", "2", "A10001*05*001*Porta"},
       plainTags,
       notKept + "not a file of its kind)\n"},
      {"group no number",
       {"ZM48D-LISTA", "1", "A10001*05*0G1*Porta"},
       plainTags,
       notKept + "not a file of its kind)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dir_.Write("bt.txt", c.earlierTags);
    dir_.Write("bh.txt", {"ZM48D-FERIADOS", "2", "02/12*Festa", "25/12*Natal"});
    const ProcessResult result = Zm48d(With("backup", backup));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "Cópia do controlador salva com sucesso!\n");
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(dir_.Read("bt.txt"), c.tags);
    EXPECT_EQ(dir_.Read("bh.txt"), "ZM48D-FERIADOS\r\n3\r\n01/12*\r\n02/12*Festa\r\n03/12*\r\n");
  }

  // Something there that cannot be read as a file: replaced, said so.
  std::filesystem::remove(backup.tags);
  ASSERT_EQ(::mkfifo(backup.tags.c_str(), 0600), 0);
  const ProcessResult result = Zm48d(With("backup", backup));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, notKept + "cannot be read)\n");
  EXPECT_EQ(dir_.Read("bt.txt"), plainTags);
}

TEST_F(ReadbackCommands, VerifyNamesTheOneChangeMadeBehindTheTerminalsBack) {
  const Files originals = Samples(3, 3, 30);  // groups at 0x0026, group 3 at 0x0060
  struct Case {
    Words change;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{"eeprom", "write", "0x64", "09"},
       {"grupo 03, Terça início: controlador 09:00, arquivo 08:00"}},
      {{"eeprom", "write", "0x42", "00"}, {"grupo 01, Feriados: controlador Não, arquivo Sim"}},
      {{"eeprom", "write", "0x22", "15"}, {"feriado 02: controlador 15/12, arquivo 02/12"}},
      {{"settings", "write", "0xB008", "07"}, {"tag A10001: portas controlador 07, arquivo 05"}},
      {{"settings", "write", "0x800C", "001D"},
       {"quantidade de tags: controlador 29, arquivo 30", "tag A1001D ausente no controlador"}},
      {{"settings", "write", "0x800C", "001F"},
       {"quantidade de tags: controlador 31, arquivo 30", "tag 000000 ausente no arquivo"}},
      {{"eeprom", "write", "0x0A", "01 00"}, {}},  // the stack top: not a difference
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.change));
    ASSERT_EQ(Zm48d(With("send", originals)).exitCode, 0);
    ASSERT_EQ(Zm48d(c.change).exitCode, 0);
    const ProcessResult result = Zm48d(With("verify", originals));
    std::string expected;
    for (const std::string& line : c.expected) expected += line + "\n";
    if (c.expected.empty()) {
      EXPECT_EQ(result.exitCode, 0);
      EXPECT_EQ(result.out, "Controlador confere com os arquivos!\n");
    } else {
      EXPECT_EQ(result.exitCode, 1);
      EXPECT_EQ(result.out, expected);
    }
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(ReadbackCommands, VerifyComparesOnlyTheFilesGiven) {
  const Files originals = Samples(3, 3, 30);
  ASSERT_EQ(Zm48d(With("send", originals)).exitCode, 0);
  ASSERT_EQ(Zm48d({"eeprom", "write", "0x22", "15"}).exitCode, 0);  // a holiday

  ProcessResult result = Zm48d({"verify", "--groups", originals.groups, "--tags", originals.tags});
  EXPECT_EQ(result.exitCode, 0) << result.out;

  emulator_.ClearRequests();
  result = Zm48d({"verify", "--tags", originals.tags});
  EXPECT_EQ(result.exitCode, 0);
  for (const auto& request : emulator_.Requests())
    EXPECT_EQ(request.command, 'G') << "the rules are not read";

  result = Zm48d({"verify", "--holidays", originals.holidays});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "feriado 02: controlador 15/12, arquivo 02/12\n");
}

TEST_F(ReadbackCommands, AReadThatFailsPartWayWritesNoFileAndReleasesThePort) {
  const Files originals = Samples(3, 3, 72);  // a tag list of three pages
  ASSERT_EQ(Zm48d(With("send", originals)).exitCode, 0);
  const Files backup = BackupNames();
  dir_.Write("bg.txt", {"ZM48D-GRUPOS", "0"});
  const auto before = FolderEntries();
  // The configuration block and the first page are eight frames each: the
  // fault meets the fourth frame of the middle page.
  for (emu::Fault fault :
       {emu::Fault::kNoAnswer, emu::Fault::kBadChecksum, emu::Fault::kTruncated}) {
    SCOPED_TRACE(static_cast<int>(fault));
    emulator_.SetFault({fault, 19, 1, 'G'});
    const ProcessResult result = Zm48d(With("backup", backup));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Erro na leitura do controlador!!\n");
    EXPECT_EQ(FolderEntries(), before) << "no file written, none left half-written";
    EXPECT_EQ(dir_.Read("bg.txt"), "ZM48D-GRUPOS\r\n0\r\n");

    emulator_.SetFault({fault, 19, 1, 'G'});
    const ProcessResult verify = Zm48d(With("verify", originals));
    EXPECT_EQ(verify.exitCode, 1);
    EXPECT_EQ(verify.err, "Erro na leitura do controlador!!\n");
    emulator_.SetFault({});
    EXPECT_EQ(Zm48d({"beep"}).exitCode, 0) << "the port was released";
  }
}

TEST_F(ReadbackCommands, SendVerifySaysWhetherTheControllerHoldsTheFiles) {
  const Files originals = Samples(2, 2, 30);
  Words words = With("send", originals);
  words.push_back("--verify");
  ProcessResult result = Zm48d(words);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "Controlador confere com os arquivos!\n");
  EXPECT_EQ(result.err, "");

  // The first page is not acknowledged, so the second is not sent: the
  // controller has the count and the first 24 tags only.
  emulator_.With([](emu::Controller& c) { std::fill_n(c.settings.begin() + 0xB000, 256, 0x00); });
  emulator_.SetFault({emu::Fault::kNotOk, 9, 1, 'G'});
  result = Zm48d(words);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Erro ao enviar lista para o aparelho!!\n");
  EXPECT_EQ(result.out.rfind("tag A10018 ausente no controlador\n", 0), 0u) << result.out;

  // Without --tags only the rules are verified.
  emulator_.SetFault({});
  result =
      Zm48d({"send", "--verify", "--holidays", originals.holidays, "--groups", originals.groups});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.err, "Lista não enviada!!\n");
}

TEST_F(ReadbackCommands, BadUsageOpensNoPort) {
  const Files files = Samples(0, 0, 0);
  for (const Words& bad :
       {Words{"backup", "--holidays", files.holidays, "--groups", files.groups},
        Words{"backup", "--holidays", "", "--groups", "g", "--tags", "t"}, Words{"verify"},
        Words{"verify", "--tags"}, Words{"verify", "--tags", "a", "--tags", "b"},
        Words{"verify", "--lista", files.tags},
        Words{"send", "--verify", "--verify", "--holidays", "h", "--groups", "g"}}) {
    SCOPED_TRACE(::testing::PrintToString(bad));
    EXPECT_EQ(Zm48d(bad).exitCode, 2);
  }
  EXPECT_TRUE(emulator_.Requests().empty());

  const ProcessResult missing = Zm48d(With("verify", files), MissingDevicePath());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "Erro ao abrir a serial!!\n" + MissingDeviceLine());
}

}  // namespace
}  // namespace zm48d::testing
