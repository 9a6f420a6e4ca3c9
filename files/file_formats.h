#pragma once
// The three kinds of line file: header literals and the fixed positions of the
// fields of their data lines. Positions count bytes from 1, one byte per
// character (Windows-1252). Fields are read by position, never by searching
// for the "*" separators: descriptions may contain "*".
#include <string_view>

#include "files/line_file.h"
#include "files/runtime_errors.h"

namespace zm48d {

inline constexpr std::string_view kGroupsHeader = "ZM48D-GRUPOS";
inline constexpr std::string_view kHolidaysHeader = "ZM48D-FERIADOS";
inline constexpr std::string_view kTagListHeader = "ZM48D-LISTA";

// Line numbers as the line list counts them (from 0).
inline constexpr int kHeaderLineIndex = 0;
inline constexpr int kCountLineIndex = 1;
inline constexpr int kFirstDataLineIndex = 2;

inline constexpr char kFieldSeparator = '*';
// The holiday flag of a group line, as file bytes ("Não" is 4E E3 6F).
inline constexpr std::string_view kFlagYes = "Sim";
inline constexpr std::string_view kFlagNo = "N\xE3o";

struct FieldSpan {
  int pos;    // 1-based first byte
  int width;  // bytes
};

// GroupLine: "01*08:00*18:00*...*Sim", 90 bytes.
namespace group_line {
inline constexpr FieldSpan kNumber{1, 2};
inline constexpr int kTimeCount = 14;  // seven start/end pairs, Monday to Sunday
inline constexpr int kTimeWidth = 5;   // hh:mm
// Time k (1..14) starts at 4 + 6(k-1); its minutes three bytes further.
constexpr FieldSpan Time(int k) { return {4 + 6 * (k - 1), kTimeWidth}; }
// The m-th two-digit field (0..27) of the times: the hour (m even) or the
// minute (m odd) of time m/2 + 1.
constexpr FieldSpan TimeDigits(int m) { return {4 + 3 * m, 2}; }
inline constexpr FieldSpan kHolidayFlag{88, 3};
}  // namespace group_line

// HolidayLine: "25/12*Natal", description of any length.
namespace holiday_line {
inline constexpr FieldSpan kDate{1, 5};
inline constexpr FieldSpan kDay{1, 2};
inline constexpr FieldSpan kMonth{4, 2};
inline constexpr int kDescriptionPos = 7;
}  // namespace holiday_line

// TagLine: "00A1B2*05*001*Portaria", description of any length.
namespace tag_line {
inline constexpr FieldSpan kTag{1, 6};
// Byte i (0..2) of the tag number, first pair = most significant byte.
constexpr FieldSpan TagByte(int i) { return {1 + 2 * i, 2}; }
inline constexpr FieldSpan kPorts{8, 2};
inline constexpr FieldSpan kGroup{11, 3};
inline constexpr int kDescriptionPos = 15;
}  // namespace tag_line

inline std::string_view Field(std::string_view line, FieldSpan span) {
  return Field(line, span.pos, span.width);
}

// Line 0 is exactly `header`: byte for byte, case and trailing blanks included.
inline bool HasHeader(const LineList& lines, std::string_view header) {
  return !lines.empty() && lines.at(kHeaderLineIndex) == header;
}

// The number on the count line, whole; throws ConversionError when it is none
// and ListIndexError when there is no such line.
inline int CountLineValue(const LineList& lines) { return StrToInt(lines.at(kCountLineIndex)); }

// The header `header` and a count line after it: what the uploads need to begin.
inline bool HasHeaderAndCount(const LineList& lines, std::string_view header) {
  return lines.size() > kCountLineIndex && HasHeader(lines, header);
}

}  // namespace zm48d
