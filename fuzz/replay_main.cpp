// Runs a fuzz target once on every file in the folders given: the seed corpus
// and the inputs kept from findings, as a test of every build. A broken promise
// aborts, and the test fails.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    if (!fs::is_directory(argv[i])) continue;  // a target may have no kept findings
    for (const auto& entry : fs::directory_iterator(argv[i])) {
      if (!entry.is_regular_file()) continue;
      std::ifstream file(entry.path(), std::ios::binary);
      const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                            std::istreambuf_iterator<char>());
      std::printf("%s\n", entry.path().filename().c_str());
      std::fflush(stdout);  // the name is out before a broken promise aborts
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++inputs;
    }
  }
  std::printf("%d inputs\n", inputs);
  return inputs > 0 ? 0 : 1;  // a target without a single input tests nothing
}
