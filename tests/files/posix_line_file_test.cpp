// What only POSIX systems can do to a save: a folder without write permission,
// a file-size limit that makes a write fail part-way, permission bits and
// symbolic links; and the FIFOs and devices a read must not wait on.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

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
    const bool expected =
        std::string(e.what()).starts_with("Cannot create file \"" + path + "\". ");
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

// The mode a file had is the mode it keeps: a list kept private stays private.
TEST_F(LineFileOnDisk, SaveKeepsTheReplacedFilesMode) {
  for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                               fs::perms::owner_all | fs::perms::group_read}) {
    const std::string path = PathOf("lista.txt");
    WriteBytes(path, "old\r\n");
    fs::permissions(path, mode);
    SaveLinesAtomically(path, std::vector<std::string>{"new"});
    EXPECT_EQ(fs::status(path).permissions(), mode);
    EXPECT_EQ(ReadBytes(path), "new\r\n");
  }
}

// A link stays a link, and the file it names (here in another folder, by a
// relative link) gets the new lines; the temporary is made beside that file.
TEST_F(LineFileOnDisk, SaveThroughALinkReplacesItsTarget) {
  fs::create_directory(dir_ / "real");
  const std::string target = PathOf("real/grupos.txt");
  WriteBytes(target, "old\r\n");
  const std::string link = PathOf("grupos.txt");
  fs::create_symlink("real/grupos.txt", link);
  SaveLinesAtomically(link, std::vector<std::string>{"new"});
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), fs::path("real/grupos.txt"));
  EXPECT_EQ(ReadBytes(target), "new\r\n");
  EXPECT_EQ(DirectoryEntries().size(), 2u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "real"), fs::directory_iterator()), 1);
}

// Whatever is not a regular file of at most 16 MiB is refused at once, by
// name and why: a FIFO with no writer, an endless device, a folder.
TEST_F(LineFileOnDisk, ReadRefusesWhatIsNoRegularFileOrTooLarge) {
  const std::string fifo = PathOf("fifo.txt");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string large = PathOf("large.txt");
  WriteBytes(large, "ZM48D-LISTA\r\n");
  fs::resize_file(large, 16 * 1024 * 1024 + 1);
  const std::string fifoLink = PathOf("fifo-link.txt");
  fs::create_symlink(fifo, fifoLink);
  struct Case {
    std::string path, reason;
  };
  const Case cases[] = {
      {fifo, "not a regular file"},        {fifoLink, "not a regular file"},
      {"/dev/zero", "not a regular file"}, {dir_.string(), "not a regular file"},
      {large, "larger than 16 MiB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      LoadLines(c.path);
      ADD_FAILURE() << "read";
    } catch (const FileError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + c.path + "\". " + c.reason);
    }
  }
  fs::resize_file(large, 16 * 1024 * 1024);
  EXPECT_EQ(LoadLines(large).at(0), "ZM48D-LISTA");
}

}  // namespace
}  // namespace zm48d::testing
