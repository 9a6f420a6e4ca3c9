#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zm48d::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zm48d-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::vector<std::string>& lines) const {
  std::ofstream out(Path(name), std::ios::binary);
  for (const auto& line : lines) out << line << "\r\n";
  return Path(name);
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream in(Path(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace zm48d::testing
