#include "files/line_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#include "files/new_file.h"
#include "files/runtime_errors.h"

namespace zm48d {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string Reason(int error) { return std::generic_category().message(error); }

// A new, exclusively created file beside `path`; `name` receives its name.
FilePtr CreateTemporaryBeside(const std::string& path, std::string& name, int& error) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    name = path + ".tmp" + std::to_string(random() % 1000000);
    errno = 0;
    FilePtr f(CreateNewFile(name));
    if (f) return f;
    error = errno;
    if (error != EEXIST) break;
  }
  return nullptr;
}

// Writes `bytes` to a fresh temporary file; returns its name, or throws.
std::string WriteTemporary(const std::string& path, const std::string& bytes) {
  std::string name;
  int error = 0;
  FilePtr f = CreateTemporaryBeside(path, name, error);
  if (!f) throw FileError::CannotCreate(path, Reason(error));

  // On the disk before the rename makes it the file.
  errno = 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size() &&
                       FlushToDisk(f.get());
  error = errno;
  const bool closed = std::fclose(f.release()) == 0;
  if (!closed && error == 0) error = errno;
  if (!written || !closed) {
    std::remove(name.c_str());
    throw FileError::CannotCreate(path, Reason(error != 0 ? error : EIO));
  }
  return name;
}

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

LineList LoadLines(const std::string& path) {
  errno = 0;
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) throw FileError::CannotOpen(path, Reason(errno != 0 ? errno : ENOENT));

  std::string bytes;
  char buffer[8192];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) bytes.append(buffer, got);
  // A directory opens on some systems and fails only when read.
  if (std::ferror(f.get())) throw FileError::CannotOpen(path, Reason(errno != 0 ? errno : EIO));
  return SplitLines(bytes);
}

void SaveLinesAtomically(const std::string& path, const std::vector<std::string>& lines) {
  SaveLineFilesAtomically({{path, LineList(lines)}});
}

void SaveLineFilesAtomically(const std::vector<LineFile>& files) {
  std::vector<std::string> temporaries;
  auto removeRemaining = [&](std::size_t from) {
    for (std::size_t i = from; i < temporaries.size(); ++i) std::remove(temporaries[i].c_str());
  };
  try {
    for (const LineFile& file : files) temporaries.push_back(WriteTemporary(file.path, JoinLines(file.lines)));
  } catch (...) {
    removeRemaining(0);
    throw;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::error_code ec;
    std::filesystem::rename(temporaries[i], files[i].path, ec);
    if (ec) {
      removeRemaining(i);
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
