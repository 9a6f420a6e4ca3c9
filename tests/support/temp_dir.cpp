#include "tests/support/temp_dir.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

namespace zm48d::testing {

// create_directory is false for a name that exists already: a new name is ours alone.
TempDir::TempDir() {
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path candidate =
        base / ("zm48d-test-" + std::to_string(random() % 1000000000));
    if (std::filesystem::create_directory(candidate)) {
      root_ = std::move(candidate);
      return;
    }
  }
  throw std::runtime_error("no free name for a scratch folder in " + base.string());
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
