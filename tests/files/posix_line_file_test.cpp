// What only POSIX systems can do to a save: a folder without write permission,
// and a file-size limit that makes a write fail part-way.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "files/line_file.h"
#include "files/runtime_errors.h"
#include "tests/files/line_file_fixture.h"

namespace zm48d::testing {
namespace {

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

}  // namespace
}  // namespace zm48d::testing
