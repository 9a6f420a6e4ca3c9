#pragma once
// Errors that end an operation and reach the window's error box with the
// runtime's own texts.
#include <stdexcept>
#include <string>
#include <string_view>

namespace zm48d {

// "'%s' is not a valid integer value"
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(std::string_view text);
};

// "List index out of bounds (%d)"
class ListIndexError : public std::runtime_error {
 public:
  explicit ListIndexError(long long index);
};

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
