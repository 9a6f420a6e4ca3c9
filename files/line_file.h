#pragma once
// The line files the editors save and the uploads read: raw Windows-1252 bytes
// split into lines, read and written whole.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zm48d {

// The lines of a text file, each a raw byte string without its line break.
// Lines are counted from 0, as the runtime's string list counts them: the header
// is line 0, the count line 1, the first data line 2.
class LineList {
 public:
  LineList() = default;
  explicit LineList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  int size() const { return static_cast<int>(lines_.size()); }
  bool empty() const { return lines_.empty(); }
  // Throws ListIndexError(index) when there is no such line, so that a file with
  // fewer lines than its count line promises ends the reading with the runtime's
  // "List index out of bounds (%d)".
  const std::string& at(long long index) const;

  void push_back(std::string line) { lines_.push_back(std::move(line)); }
  const std::vector<std::string>& lines() const { return lines_; }
  auto begin() const { return lines_.begin(); }
  auto end() const { return lines_.end(); }

 private:
  std::vector<std::string> lines_;
};

// CR LF, LF and CR each end a line; a final line break adds no empty line; a NUL
// byte ends the text and whatever follows it is ignored.
LineList SplitLines(std::string_view bytes);

// Every line, the last one included, followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);
inline std::string JoinLines(const LineList& lines) { return JoinLines(lines.lines()); }

// Whether a regular file (or a link to one) is at `path`.
bool FileExists(const std::string& path);

// Whether anything at all is at `path`, a symbolic link followed: a missing
// file, as against one that is there but cannot be read (a folder, a FIFO).
bool PathExists(const std::string& path);

// Reads the whole file; a UTF-8 byte-order mark before the first line is
// dropped. Only a regular file (or a link to one) of at most 16 MiB is read:
// a FIFO, a device or a folder is refused at once, without waiting on it.
// Throws FileError::CannotOpen with the system's reason or the refusal's.
LineList LoadLines(const std::string& path);

// Writes the lines to a temporary file beside `path` and renames it over `path`,
// so that an interrupted or failed save leaves the old file as it was. The new
// file keeps the old one's permissions; a symbolic link stays one, and the file
// it names is replaced. Throws FileError::CannotCreate with the system's
// reason; the temporary file is removed on every way out.
void SaveLinesAtomically(const std::string& path, const std::vector<std::string>& lines);
inline void SaveLinesAtomically(const std::string& path, const LineList& lines) {
  SaveLinesAtomically(path, lines.lines());
}

// Several files that belong together: every one is written to its temporary
// file first, and only when all of them are complete are they renamed over
// their paths, so a file that cannot be written leaves every old file as it was.
struct LineFile {
  std::string path;
  LineList lines;
};
void SaveLineFilesAtomically(const std::vector<LineFile>& files);

// The field of `width` bytes starting at the 1-based byte position `pos`.
// Bytes past the end of the line are absent: the field is cut short, or empty
// when it lies wholly past the end. The view points into `line`.
std::string_view Field(std::string_view line, int pos, int width);

// The rest of the line from the 1-based position `pos`; empty past the end.
std::string_view FieldToEnd(std::string_view line, int pos);

}  // namespace zm48d
