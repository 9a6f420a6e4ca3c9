#pragma once
// The text files of the terminal are single-byte Windows-1252 text; the rest of
// the program works in UTF-8. These two functions convert at the file boundary.
#include <string>
#include <string_view>

namespace zm48d {

// Every byte 0x00-0xFF has a character, so any byte string converts and converts
// back unchanged. The five bytes Windows leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the control characters U+0081 and so on.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace zm48d
