#pragma once
// Errors that end an operation and reach the window's error box with the
// runtime's own texts.
#include <stdexcept>
#include <string>
#include <string_view>

namespace zm48d {

// Where a file's error came from, after the runtime's own text:
// List index out of bounds (3) in "lista.txt".
std::string InFileSuffix(std::string_view path);

// "'%s' is not a valid integer value", and the file it was read from when known.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(std::string_view text, std::string_view path = {});
  // The text as the file holds it (Windows-1252) and the file's name.
  const std::string& value() const { return value_; }
  const std::string& path() const { return path_; }
  ConversionError InFile(std::string_view path) const { return ConversionError(value_, path); }
  // The message with the value's bytes given by `value` (the UTF-8 one, say).
  static std::string Message(std::string_view value, std::string_view path);

 private:
  std::string value_, path_;
};

// "List index out of bounds (%d)", and the file it was read from when known.
class ListIndexError : public std::runtime_error {
 public:
  explicit ListIndexError(long long index, std::string_view path = {});
  ListIndexError InFile(std::string_view path) const { return ListIndexError(index_, path); }

 private:
  long long index_;
};

// Runs `reading`, the reading of the file `path`, naming the file in the
// conversion and list index errors it raises (their types kept).
template <class Reading>
auto ReadingFile(std::string_view path, Reading reading) -> decltype(reading()) {
  try {
    return reading();
  } catch (const ConversionError& error) {
    throw error.InFile(path);
  } catch (const ListIndexError& error) {
    throw error.InFile(path);
  }
}

// "Cannot open file "%s". %s" / "Cannot create file "%s". %s"
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  static FileError CannotOpen(std::string_view path, std::string_view reason);
  static FileError CannotCreate(std::string_view path, std::string_view reason);
};

// A whole decimal number as the runtime reads one: optional blanks before it, an
// optional sign, decimal digits (or '$' / "0x" and hexadecimal digits), nothing
// after, within 32 bits. Anything else throws ConversionError.
int StrToInt(std::string_view text);

}  // namespace zm48d
