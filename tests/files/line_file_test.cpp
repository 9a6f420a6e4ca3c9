// Splitting, loading and the atomic save of the line files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/line_file.h"
#include "files/runtime_errors.h"
#include "tests/files/line_file_fixture.h"

namespace zm48d::testing {
namespace {

std::vector<std::string> Lines(const LineList& list) { return list.lines(); }

TEST(SplitLinesTest, EveryLineBreakKindEndsALine) {
  EXPECT_EQ(Lines(SplitLines("a\r\nb\nc\rd")), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines(SplitLines("a\n\rb")), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Lines(SplitLines("a\r\r\nb")), (std::vector<std::string>{"a", "", "b"}));
}

TEST(SplitLinesTest, FinalBreakAddsNoEmptyLineButInnerBlanksStay) {
  EXPECT_EQ(Lines(SplitLines("a\r\n")), (std::vector<std::string>{"a"}));
  EXPECT_EQ(Lines(SplitLines("a\r\n\r\n")), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(Lines(SplitLines("\r\n")), (std::vector<std::string>{""}));
  EXPECT_EQ(SplitLines("").size(), 0);
}

TEST(SplitLinesTest, NulEndsTheText) {
  using namespace std::string_literals;
  EXPECT_EQ(Lines(SplitLines("a\r\nb\0c\r\nd"s)), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitLines("\0abc"s).size(), 0);
}

TEST(LineListTest, AtCountsFromZeroAndReportsTheMissingIndex) {
  const LineList list({"ZM48D-LISTA", "1"});
  EXPECT_EQ(list.at(1), "1");
  try {
    list.at(2);
    FAIL() << "no error";
  } catch (const ListIndexError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
  EXPECT_THROW(list.at(-1), ListIndexError);
}

TEST(FieldTest, CharactersPastTheEndAreAbsent) {
  EXPECT_EQ(Field("00A1B2*05*001*Portaria", 11, 3), "001");
  EXPECT_EQ(Field("00A1B2*05*01", 11, 3), "01");
  EXPECT_EQ(Field("00A1B2*05*", 11, 3), "");
  EXPECT_EQ(Field("00A1B2", 40, 5), "");
  EXPECT_EQ(FieldToEnd("25/12*Natal*2024", 7), "Natal*2024");
  EXPECT_EQ(FieldToEnd("25/12*", 7), "");
}

TEST_F(LineFileOnDisk, SaveWritesCrLfAfterEveryLineAndLoadsBack) {
  const std::string path = PathOf("feriados.txt");
  const std::vector<std::string> lines = {"ZM48D-FERIADOS", "1", "25/12*Natal * N\xE3o"};
  SaveLinesAtomically(path, lines);
  EXPECT_EQ(ReadBytes(path), "ZM48D-FERIADOS\r\n1\r\n25/12*Natal * N\xE3o\r\n");
  EXPECT_EQ(LoadLines(path).lines(), lines);
  EXPECT_TRUE(FileExists(path));
}

TEST_F(LineFileOnDisk, SaveReplacesTheOldFileAndLeavesNoTemporary) {
  const std::string path = PathOf("lista.txt");
  WriteBytes(path, "old content that is longer than the new one\r\n");
  SaveLinesAtomically(path, std::vector<std::string>{"ZM48D-LISTA", "0"});
  EXPECT_EQ(ReadBytes(path), "ZM48D-LISTA\r\n0\r\n");
  EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"lista.txt"});
}

TEST_F(LineFileOnDisk, LoadOfAMissingFileGivesTheSystemsReason) {
  const std::string path = PathOf("nope.txt");
  EXPECT_FALSE(FileExists(path));
  try {
    LoadLines(path);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"" + path + "\". No such file or directory");
  }
}

// An editor that saved the file as UTF-8 put a byte-order mark before the
// header; it is dropped, and only there.
TEST_F(LineFileOnDisk, LoadDropsAByteOrderMarkBeforeTheHeader) {
  const std::string path = PathOf("lista.txt");
  WriteBytes(path, "\xEF\xBB\xBFZM48D-LISTA\r\n0\r\n\xEF\xBB\xBF\r\n");
  EXPECT_EQ(Lines(LoadLines(path)), (std::vector<std::string>{"ZM48D-LISTA", "0", "\xEF\xBB\xBF"}));
}

TEST_F(LineFileOnDisk, ADirectoryIsNotAFile) {
  EXPECT_FALSE(FileExists(dir_.string()));
  EXPECT_THROW(LoadLines(dir_.string()), FileError);
}

TEST_F(LineFileOnDisk, SaveIntoAMissingDirectoryCreatesNothing) {
  const std::string path = PathOf("missing/grupos.txt");
  try {
    SaveLinesAtomically(path, std::vector<std::string>{"ZM48D-GRUPOS", "0"});
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file \"" + path + "\". No such file or directory");
  }
  EXPECT_TRUE(DirectoryEntries().empty());
}

TEST_F(LineFileOnDisk, SaveOverADirectoryFailsAndKeepsIt) {
  const std::string path = PathOf("taken");
  fs::create_directory(path);
  EXPECT_THROW(SaveLinesAtomically(path, std::vector<std::string>{"x"}), FileError);
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"taken"});
}

// Files saved together: one that cannot be created leaves every file as it was,
// the ones before it included, and no temporary behind.
TEST_F(LineFileOnDisk, FilesSavedTogetherAreReplacedAllOrNone) {
  const std::string first = PathOf("feriados.txt");
  const std::string second = PathOf("grupos.txt");
  WriteBytes(first, "old\r\n");
  EXPECT_THROW(SaveLineFilesAtomically({{first, LineList({"new"})},
                                        {second, LineList({"new"})},
                                        {PathOf("missing/lista.txt"), LineList({"new"})}}),
               FileError);
  EXPECT_EQ(ReadBytes(first), "old\r\n");
  EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"feriados.txt"});

  SaveLineFilesAtomically({{first, LineList({"A"})}, {second, LineList({"B", "C"})}});
  EXPECT_EQ(ReadBytes(first), "A\r\n");
  EXPECT_EQ(ReadBytes(second), "B\r\nC\r\n");
  EXPECT_EQ(DirectoryEntries().size(), 2u);
}

}  // namespace
}  // namespace zm48d::testing
