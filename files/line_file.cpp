#include "files/line_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>
#include <utility>

#include "files/new_file.h"
#include "files/regular_file.h"
#include "files/runtime_errors.h"

namespace zm48d {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string Reason(int error) { return std::generic_category().message(error); }

// A temporary file that is removed when it goes out of scope, unless it has
// been renamed into place: every way out of a save, exceptions included,
// leaves no temporary behind.
class Temporary {
 public:
  explicit Temporary(std::string name) : name_(std::move(name)) {}
  Temporary(Temporary&& other) noexcept : name_(std::exchange(other.name_, {})) {}
  Temporary& operator=(Temporary&&) = delete;
  ~Temporary() {
    if (!name_.empty()) std::remove(name_.c_str());
  }
  // Renames the file over `target`; it is then no longer this one to remove.
  std::error_code RenameOver(const std::string& target) {
    std::error_code ec;
    std::filesystem::rename(name_, target, ec);
    if (!ec) name_.clear();
    return ec;
  }

 private:
  std::string name_;
};

// The file a save of `path` replaces: a symbolic link is followed to its final
// target, so the link stays and the file it names gets the new lines. A chain
// too long to be anything but a loop is left for the rename to fail on.
std::string FinalTarget(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path target = path;
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code ec;
    if (!fs::is_symlink(target, ec)) break;
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target.string();
}

// A new, exclusively created file beside `target`, named after it with
// ".tmp" and a number so that one left by a killed save shows whose it was.
FilePtr CreateTemporaryBeside(const std::string& target, std::string& name, int& error) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    name = target + ".tmp" + std::to_string(random() % 1000000);
    errno = 0;
    FilePtr f(CreateNewFile(name));
    if (f) return f;
    error = errno;
    if (error != EEXIST) break;
  }
  return nullptr;
}

// Writes `bytes` to a fresh temporary file beside `target`, with the mode of
// the file it will replace; `path` is the name the operator gave, for errors.
Temporary WriteTemporary(const std::string& path, const std::string& target,
                         const std::string& bytes) {
  std::string name;
  int error = 0;
  FilePtr f = CreateTemporaryBeside(target, name, error);
  if (!f) throw FileError::CannotCreate(path, Reason(error));
  Temporary temporary(name);

  // On the disk before the rename makes it the file.
  errno = 0;
  const bool written = KeepModeOf(target, f.get()) &&
                       std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() &&
                       FlushToDisk(f.get());
  error = errno;
  const bool closed = std::fclose(f.release()) == 0;
  if (!closed && error == 0) error = errno;
  if (!written || !closed) throw FileError::CannotCreate(path, Reason(error != 0 ? error : EIO));
  return temporary;
}

// A UTF-8 byte-order mark that an editor put before the header; the files
// themselves are single-byte text, where these three bytes mean nothing else.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

const std::string& LineList::at(long long index) const {
  if (index < 0 || index >= static_cast<long long>(lines_.size())) throw ListIndexError(index);
  return lines_[static_cast<std::size_t>(index)];
}

LineList SplitLines(std::string_view bytes) {
  const std::size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);

  LineList lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t brk = bytes.find_first_of("\r\n", pos);
    if (brk == std::string_view::npos) {
      lines.push_back(std::string(bytes.substr(pos)));
      break;
    }
    lines.push_back(std::string(bytes.substr(pos, brk - pos)));
    pos = brk + 1;
    if (bytes[brk] == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::string text;
  text.reserve(total);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool PathExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

LineList LoadLines(const std::string& path) {
  const RegularFileBytes file = ReadRegularFile(path, kLargestReadFile);
  if (file.refusal != ReadRefusal::kNone) {
    throw FileError::CannotOpen(path, RefusalReason(file.refusal, file.error));
  }
  std::string_view bytes = file.bytes;
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  return SplitLines(bytes);
}

void SaveLinesAtomically(const std::string& path, const std::vector<std::string>& lines) {
  SaveLineFilesAtomically({{path, LineList(lines)}});
}

void SaveLineFilesAtomically(const std::vector<LineFile>& files) {
  std::vector<std::string> targets;
  std::vector<Temporary> temporaries;
  for (const LineFile& file : files) {
    targets.push_back(FinalTarget(file.path));
    temporaries.push_back(WriteTemporary(file.path, targets.back(), JoinLines(file.lines)));
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const std::error_code ec = temporaries[i].RenameOver(targets[i])) {
      throw FileError::CannotCreate(files[i].path, ec.message());
    }
  }
}

std::string_view Field(std::string_view line, int pos, int width) {
  if (pos < 1 || width <= 0) return {};
  const auto start = static_cast<std::size_t>(pos - 1);
  if (start >= line.size()) return {};
  return line.substr(start, static_cast<std::size_t>(width));
}

std::string_view FieldToEnd(std::string_view line, int pos) {
  if (pos < 1) return line;
  const auto start = static_cast<std::size_t>(pos - 1);
  if (start >= line.size()) return {};
  return line.substr(start);
}

}  // namespace zm48d
