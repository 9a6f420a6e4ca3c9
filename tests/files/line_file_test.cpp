// Splitting, loading and the atomic save of the line files.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "files/line_file.h"
#include "files/runtime_errors.h"

namespace zm48d::testing {
namespace {

namespace fs = std::filesystem;

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

// A fresh directory under the system's temporary directory, removed afterwards.
class LineFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zm48d-lines-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> DirectoryEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
    return names;
  }

  fs::path dir_;
};

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
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\". No such file or directory");
  }
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

TEST_F(LineFileOnDisk, UnwritableDirectoryKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  const std::string path = PathOf("grupos.txt");
  WriteBytes(path, "old\r\n");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(SaveLinesAtomically(path, std::vector<std::string>{"new"}), FileError);
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"grupos.txt"});
}

// Runs in a child process: exits 0 when the save fails with the create error.
[[noreturn]] void SaveUnderFileSizeLimit(const std::string& path,
                                         const std::vector<std::string>& lines) {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{4096, 4096};
  setrlimit(RLIMIT_FSIZE, &limit);
  try {
    SaveLinesAtomically(path, lines);
  } catch (const FileError& e) {
    const bool expected = std::string(e.what()).starts_with("Cannot create file \"" + path + "\". ");
    std::_Exit(expected ? 0 : 2);
  }
  std::_Exit(1);
}

// A write that fails part-way (here: the file-size limit, which holds for root
// too) must leave the old file whole and no temporary behind.
TEST_F(LineFileOnDisk, FailedWriteKeepsTheOldFile) {
  const std::string path = PathOf("lista.txt");
  WriteBytes(path, "old\r\n");
  const std::vector<std::string> big(1000, std::string(100, 'x'));
  EXPECT_EXIT(SaveUnderFileSizeLimit(path, big), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"lista.txt"});
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
