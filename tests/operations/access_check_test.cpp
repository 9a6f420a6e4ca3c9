// The access check: the memory it builds from the files is the memory a send
// of the same files leaves on a controller; files a send refuses are refused
// with the file's name; reads come from a file of lines.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/runtime_errors.h"
#include "operations/access_check.h"
#include "operations/send_sequence.h"
#include "tests/support/emulated_line.h"
#include "tests/support/sample_files.h"
#include "tests/support/temp_dir.h"

namespace zm48d::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct RecordedNotices final : ops::Notices {
  std::vector<std::string> failures;
  void Show(ops::Tone tone, std::string_view text) override {
    if (tone == ops::Tone::kFailure) failures.emplace_back(text);
  }
};

Bytes Range(const AddressSpace& space, int from, int to) {
  return Bytes(space.begin() + from, space.begin() + to);
}

// The largest rules that fit and a list of two pages, sent for real to the
// emulator, against the check's image of the same files.
TEST(AccessCheckMemory, IsWhatASendOfTheSameFilesLeaves) {
  TempDir dir;
  const ops::CheckFiles files{dir.Write("h", SampleHolidays(49)), dir.Write("g", SampleGroups(65)),
                              dir.Write("t", SampleTags(30))};
  EmulatedLine line;
  RecordedNotices notices;
  const ops::Session session{line.link, kEmulatorPort, notices};
  const ops::SendResult sent =
      ops::RunSendSequence(session, {files.holidays, files.groups, files.tags});
  ASSERT_EQ(sent.rules, ops::StageOutcome::kSent);
  ASSERT_EQ(sent.tags, ops::StageOutcome::kSent);

  const auto image = ops::MemoryAfterSend(files, notices);
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(notices.failures.empty());
  line.emulator.With([&](const emu::Controller& c) {
    // The whole rules area: header, tables and the empty stack behind them.
    EXPECT_EQ(Range(image->eeprom, 0, 0x800), Range(c.eeprom, 0, 0x800));
    EXPECT_EQ(Range(image->settings, 0x800A, 0x800E), Range(c.settings, 0x800A, 0x800E));
    EXPECT_EQ(Range(image->settings, 0xB000, 0x10000), Range(c.settings, 0xB000, 0x10000));
  });
  EXPECT_EQ(Range(image->settings, 0x800A, 0x800E), (Bytes{0xB0, 0x00, 0x00, 30}));
  EXPECT_EQ(Range(image->eeprom, 8, 14), (Bytes{0x07, 0xDF, 0x07, 0xDF, 0x07, 0xFD}));
}

TEST(AccessCheckMemory, FilesASendRefusesAreRefusedByName) {
  TempDir dir;
  const std::string h = dir.Write("h.txt", SampleHolidays(2));
  const std::string g = dir.Write("g.txt", SampleGroups(3));
  const std::string t = dir.Write("t.txt", SampleTags(3));
  const std::string none = dir.Path("none.txt");
  const std::string g70 = dir.Write("g70.txt", SampleGroups(70));
  struct Case {
    ops::CheckFiles files;
    std::string failure;
  };
  const Case cases[] = {
      {{none, g, t}, none + ": no such file"},
      {{h, none, t}, none + ": no such file"},
      {{h, g, none}, none + ": no such file"},
      {{g, g, t},
       g + ": not a holidays file (its first line is not ZM48D-FERIADOS, or it has no count line)"},
      {{h, h, t},
       h + ": not a groups file (its first line is not ZM48D-GRUPOS, or it has no count line)"},
      {{h, g, h}, h + ": not a tag list file (its first line is not ZM48D-LISTA)"},
      {{dir.Write("h300.txt", {"ZM48D-FERIADOS", "300"}), g, t},
       dir.Path("h300.txt") + ": the count must be from 0 to 255"},
      {{h, g, dir.Write("tneg.txt", {"ZM48D-LISTA", "-2"})},
       dir.Path("tneg.txt") + ": the count must not be negative"},
      {{h, g70, t},
       h + " + " + g70 +
           ": the holidays and groups do not fit the controller's 2048 bytes (see stack-space)"},
      {{h, g, dir.Write("t3900.txt", SampleTags(3900))},  // 20 800 bytes from 0xB000
       dir.Path("t3900.txt") + ": the list runs past the end of the controller's settings space"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failure);
    RecordedNotices notices;
    EXPECT_EQ(ops::MemoryAfterSend(c.files, notices), nullptr);
    EXPECT_EQ(notices.failures, std::vector<std::string>{c.failure});
  }
  // Errors met while reading a file reach the caller, quoting it in UTF-8.
  RecordedNotices notices;
  const ops::CheckFiles badCount{h, dir.Write("gx.txt", {"ZM48D-GRUPOS", "tr\xEAs"}), t};
  try {
    ops::MemoryAfterSend(badCount, notices);
    ADD_FAILURE() << "no error";
  } catch (const std::exception& error) {
    EXPECT_EQ(std::string(error.what()),
              "'três' is not a valid integer value in \"" + badCount.groups + "\"");
  }
  // A folder or a FIFO is there but is no file: refused as such, at once.
  const std::string fifo = dir.Path("fifo.txt");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& notAFile : {dir.Root().string(), fifo}) {
    try {
      ops::MemoryAfterSend({h, g, notAFile}, notices);
      ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
      EXPECT_EQ(std::string(error.what()),
                "Cannot open file \"" + notAFile + "\". not a regular file");
    }
  }
  EXPECT_TRUE(notices.failures.empty());
}

TEST(AccessCheckReads, OneReadALineBlankLinesSkipped) {
  TempDir dir;
  RecordedNotices notices;
  const auto reads = ops::LoadReads(dir.Write("r.txt", {"1 00A1B2 07/12/26 09:30:00", "", "   ",
                                                        "\t4  a1b2c3 31/12/99 23:59:59 "}),
                                    notices);
  ASSERT_TRUE(reads.has_value());
  ASSERT_EQ(reads->size(), 2u);
  EXPECT_EQ((*reads)[0].tag, 0x00A1B2u);
  EXPECT_EQ((*reads)[1].door, 4);
  EXPECT_EQ((*reads)[1].tag, 0xA1B2C3u);
  EXPECT_EQ((*reads)[1].time.second, 59);
  EXPECT_TRUE(notices.failures.empty());
}

TEST(AccessCheckReads, ABadLineIsNamedWithItsNumber) {
  TempDir dir;
  const std::string good = "1 00A1B2 07/12/26 09:30:00";
  const std::pair<std::string, std::string> cases[] = {
      {"1 00A1B2 07/12/26", "a read is DOOR TAG DD/MM/YY HH:MM:SS"},
      {"5 00A1B2 07/12/26 09:30:00", "DOOR must be 1 to 4, not '5'"},
      {"1 00A1B2\xE7 07/12/26 09:30:00", "TAG must be six hexadecimal digits, not '00A1B2ç'"},
      {"1 00A1B2 30/02/26 09:30:00",
       "the time must be a real date and time DD/MM/YY HH:MM:SS, not '30/02/26 09:30:00'"},
  };
  for (const auto& [bad, message] : cases) {
    SCOPED_TRACE(bad);
    const std::string path = dir.Write("r.txt", {good, "", bad, good});
    RecordedNotices notices;
    EXPECT_FALSE(ops::LoadReads(path, notices).has_value());
    EXPECT_EQ(notices.failures, std::vector<std::string>{path + " line 3: " + message});
  }
}

TEST(AccessCheckReads, EveryReadLeavesItsEventAndOneRefusalMarksTheOutcome) {
  TempDir dir;
  RecordedNotices notices;
  const auto memory =
      ops::MemoryAfterSend({dir.Write("h", SampleHolidays(0)), dir.Write("g", SampleGroups(1)),
                            dir.Write("t", SampleTags(2))},
                           notices);
  ASSERT_NE(memory, nullptr);
  const TagRead granted{0xA10001, 3, {7, 12, 26, 9, 0, 0}};
  const TagRead wrongDoor{0xA10001, 2, {7, 12, 26, 9, 0, 0}};
  const TagRead both[] = {granted, wrongDoor};

  const ops::CheckOutcome one = ops::CheckReads(*memory, {&granted, 1});
  EXPECT_TRUE(one.allGranted);
  EXPECT_EQ(one.records, (Bytes{0xA1, 0x00, 0x01, 0x07, 0x12, 0x26, 0x09, 0x00, 0x00, 0x12}));
  const ops::CheckOutcome two = ops::CheckReads(*memory, both);
  EXPECT_FALSE(two.allGranted);
  ASSERT_EQ(two.records.size(), 20u);
  EXPECT_EQ(two.records[19], 0xC1);
  EXPECT_TRUE(ops::CheckReads(*memory, {}).allGranted);
}

}  // namespace
}  // namespace zm48d::testing
