#pragma once
// The calls each system makes its own way to read a file named by the operator
// without ever waiting on it.
#include <cstdint>
#include <string>

namespace zm48d {

// A file opened for reading for its life: at once, also a FIFO with no writer.
class FileReader {
 public:
  explicit FileReader(const std::string& path);  // errno set when not opened
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  bool Opened() const { return fd_ >= 0; }
  // Whether the open file is a regular one, and its size; false with errno set
  // when the system cannot say.
  bool Inspect(bool& regular, std::uintmax_t& size) const;
  // Up to `size` bytes; 0 at the end, -1 with errno set on failure.
  long Read(char* buffer, unsigned size) const;

 private:
  int fd_;
};

}  // namespace zm48d
