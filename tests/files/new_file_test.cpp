// The exclusive create and the flush that the atomic save stands on, on the
// system the tests run on (msvcrt on Windows ignores fopen's "x").
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "files/new_file.h"
#include "tests/files/line_file_fixture.h"

namespace zm48d::testing {
namespace {

using NewFile = LineFileOnDisk;

void WriteAndClose(std::FILE* file, const std::string& bytes) {
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  EXPECT_TRUE(FlushToDisk(file));
  EXPECT_EQ(std::fclose(file), 0);
}

// Binary: a bare LF stays one byte (a text-mode stream on Windows would add a CR).
TEST_F(NewFile, WritesTheBytesAsTheyAre) {
  const std::string path = PathOf("lista.txt.tmp1");
  WriteAndClose(CreateNewFile(path), "ZM48D-LISTA\r\n0\n\x1A\xE3");
  EXPECT_EQ(ReadBytes(path), "ZM48D-LISTA\r\n0\n\x1A\xE3");
}

TEST_F(NewFile, AFileOfThatNameIsNeverTakenOver) {
  const std::string path = PathOf("grupos.txt.tmp2");
  WriteAndClose(CreateNewFile(path), "first writer");
  errno = 0;
  std::FILE* second = CreateNewFile(path);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(errno, EEXIST);
  if (second != nullptr) std::fclose(second);
  EXPECT_EQ(ReadBytes(path), "first writer");
}

TEST_F(NewFile, MissingFolderFailsWithItsReason) {
  errno = 0;
  EXPECT_EQ(CreateNewFile(PathOf("missing/feriados.txt.tmp3")), nullptr);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_TRUE(DirectoryEntries().empty());
}

}  // namespace
}  // namespace zm48d::testing
