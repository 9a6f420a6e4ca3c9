#pragma once
// A scratch folder removed with everything in it when the test ends.
#include <filesystem>
#include <string>
#include <vector>

namespace zm48d::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::string Path(const std::string& name) const { return (root_ / name).string(); }
  // Writes the lines, each ended by CR LF, and returns the file's path.
  std::string Write(const std::string& name, const std::vector<std::string>& lines) const;
  std::string Read(const std::string& name) const;

 private:
  std::filesystem::path root_;
};

}  // namespace zm48d::testing
