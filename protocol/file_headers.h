#pragma once
// The three kinds of line file: header literals and the fixed positions of the
// fields of their data lines. Positions count bytes from 1, one byte per
// character (Windows-1252). Fields are read by position, never by searching
// for the "*" separators: descriptions may contain "*".
#include <string_view>

#include "protocol/line_file.h"

namespace zm48d {

inline constexpr std::string_view GroupsHeader = "ZM48D-GRUPOS";
inline constexpr std::string_view HolidaysHeader = "ZM48D-FERIADOS";
inline constexpr std::string_view TagListHeader = "ZM48D-LISTA";

// Line numbers as the line list counts them (from 0).
inline constexpr int HeaderLineIndex = 0;
inline constexpr int CountLineIndex = 1;
inline constexpr int FirstDataLineIndex = 2;

inline constexpr char FieldSeparator = '*';
// The holiday flag of a group line, as file bytes ("Não" is 4E E3 6F).
inline constexpr std::string_view FlagYes = "Sim";
inline constexpr std::string_view FlagNo = "N\xE3o";

struct FieldSpan {
  int pos;    // 1-based first byte
  int width;  // bytes
};

// GroupLine: "01*08:00*18:00*...*Sim", 90 bytes.
namespace group_line {
inline constexpr FieldSpan Number{1, 2};
inline constexpr int TimeCount = 14;  // seven start/end pairs, Monday to Sunday
inline constexpr int TimeWidth = 5;   // hh:mm
// Time k (1..14) starts at 4 + 6(k-1); its minutes three bytes further.
constexpr FieldSpan Time(int k) { return {4 + 6 * (k - 1), TimeWidth}; }
inline constexpr FieldSpan HolidayFlag{88, 3};
inline constexpr int Length = 90;
}  // namespace group_line

// HolidayLine: "25/12*Natal", description of any length.
namespace holiday_line {
inline constexpr FieldSpan Date{1, 5};
inline constexpr FieldSpan Day{1, 2};
inline constexpr FieldSpan Month{4, 2};
inline constexpr int DescriptionPos = 7;
}  // namespace holiday_line

// TagLine: "00A1B2*05*001*Portaria", description of any length.
namespace tag_line {
inline constexpr FieldSpan Tag{1, 6};
// Byte i (0..2) of the tag number, first pair = most significant byte.
constexpr FieldSpan TagByte(int i) { return {1 + 2 * i, 2}; }
inline constexpr FieldSpan Ports{8, 2};
inline constexpr FieldSpan Group{11, 3};
inline constexpr int DescriptionPos = 15;
inline constexpr int LengthWithoutDescription = 14;
}  // namespace tag_line

inline std::string_view Field(std::string_view line, FieldSpan span) {
  return Field(line, span.pos, span.width);
}

// Line 0 is exactly `header`: byte for byte, case and trailing blanks included.
inline bool HasHeader(const LineList& lines, std::string_view header) {
  return !lines.empty() && lines.at(HeaderLineIndex) == header;
}

}  // namespace zm48d
