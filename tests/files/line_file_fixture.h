#pragma once
// A fresh folder for the line files of one test, removed with them afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/temp_dir.h"

namespace zm48d::testing {

namespace fs = std::filesystem;

class LineFileOnDisk : public ::testing::Test {
 protected:
  // A test may have taken the folder's write permission away.
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
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
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  TempDir temp_;
  const fs::path dir_ = temp_.Root();
};

}  // namespace zm48d::testing
